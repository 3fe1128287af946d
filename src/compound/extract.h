#pragma once
// Cutting one compound's values out of its page on the NIST chemistry data server.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kestrix {

enum class FieldGroup { table, phasechange, summary, structurefile, unrecognized };

// The group of a field-list name, "~" already removed.
FieldGroup fieldgroup(std::string_view searchname);

// The value of one field, searched from the start of the page; empty when the page lacks it.
std::string extractvalue(std::string_view page, std::string_view searchname, FieldGroup group);

// The record items for every name of fieldlist ("|key=value..."), without the file item.
// unrecognized is called with each name outside the known groups, in order; cas receives the
// "CAS Reg" value when the list names it.
std::string extractrecord(std::string_view page, std::string fieldlist,
                          std::optional<std::string>* cas,
                          const std::function<void(const std::string&)>& unrecognized = {});

// True when fieldlist names searchname ("~" removed from the list's names).
bool listsfield(std::string fieldlist, std::string_view searchname);

} // namespace kestrix
