#pragma once
// The host the tests name for the sample server, as any user names their server. With the
// placeholder host the program asks no server at all.

namespace kestrix::test {

inline constexpr char samplehost[] = "chemdata.sample.test";

} // namespace kestrix::test
