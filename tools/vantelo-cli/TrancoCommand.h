#pragma once

#include <string>

class TrancoList;

// Downloads the list from `url` when `always` is set or the stored list is
// missing or older than 30 days, showing the progress and the outcome on
// stderr. False when a download was needed and failed (the old list stays).
bool refreshTrancoList(const TrancoList& list, const std::string& url, bool always);
