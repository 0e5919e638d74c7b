#pragma once

// The captions of the list checker's messages: its own name for most, and the
// older name that the load exceptions and the save failure still carry.
inline constexpr const char* kListCheckerCaption = "Vantelo List Checker";
inline constexpr const char* kDbCheckerCaption = "Vantelo DB checker";
