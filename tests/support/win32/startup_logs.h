// The dated start-up logs a program copy wrote beside itself. The program
// takes the date when it starts, which a test cannot see; so the test lists
// what is there and checks each name against the days its runs spanned.
#pragma once

#include <windows.h>

#include <map>
#include <string>

namespace varnett::support {

// "Log\YYYY\MM\YYYYMMDD_<program>.log" for the local day of `day`.
std::wstring StartupLogName(const SYSTEMTIME& day, const std::wstring& program);

// Every file under "<folder>\Log\*\*\", by name relative to `folder`, with
// its content.
std::map<std::wstring, std::string> ReadStartupLogs(const std::wstring& folder);

}  // namespace varnett::support
