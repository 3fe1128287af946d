#pragma once
// The page cache: plain files directly in one directory, read and written byte for byte.

#include <string>
#include <vector>

#include "web/seams.h"

namespace kestrix {

// The page cache directory for this platform, with a trailing separator.
std::string defaultcachedir();
// Creates the page cache directory and whichever of its parents are missing, ignoring failures.
void createcachedir(const std::string& scachedir);

// scachedir + name, or empty text when name is not safe.
std::string cachepath(const std::string& scachedir, std::string_view name);

bool fileexists(const std::string& path);

// The whole file with pt = 0; from byte offset pt on for pt > 0; the first -pt bytes for
// pt < 0 (pt is then set to 0). Empty text when the file cannot be read.
std::string loadfromfile(const std::string& fname, long& pt);
std::string loadfromfile(const std::string& fname);

// Replaces sfile by a file holding exactly swhat (from 1-based byte pt of the emptied file when
// pt is not 0). The old file is replaced atomically. On failure, Fault::notstored and why
// ("Permission denied"); the old file is then unchanged.
Failure puttofile(const std::string& swhat, const std::string& sfile, long pt = 0);

// The first file name in dir matching pattern ("*" any run of characters, case ignored).
std::string findfirstmatch(const std::string& dir, std::string_view pattern);
// The name of the file in dir equal to name without regard to case (name itself when it exists
// as given), or empty text.
std::string resolvename(const std::string& dir, std::string_view name);

// The plain, visible files directly in dir.
std::vector<std::string> listfiles(const std::string& dir);

// The questions whose result pages are in the cache (web/cachenames.h cachedquestion), sorted
// without regard to letter case.
std::vector<std::string> cachedquestions(const std::string& scachedir);

// Asks, then deletes every plain file of the cache directory.
void clearcache(const std::string& scachedir, MessageBoxes& messages);

} // namespace kestrix
