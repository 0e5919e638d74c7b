#pragma once

#include "net/LoopbackServer.h"

#include <string>

// The answer pages of tests/filling/answers on a loopback site. Under "/<kind>/"
// for every kind of answer to a form submitted by navigation ("thanks-en",
// "thanks-de", "captcha" (the form again with the posted values), "invalid-url",
// "duplicate") "form.html" is a submission form with a search form beside it,
// "answer.html" the kind's answer to it and "search.html" what the search gives.
// "/scripted-ok/scripted.html" and "/scripted-error/scripted.html" answer by
// script, without leaving the page. The server is started.
void serveAnswerSite(LoopbackServer& server);

// The message the scripted form shows after a success and after an error.
inline constexpr const char* kScriptedSuccess = "Thank you! Your link will be reviewed within 48 hours.";
inline constexpr const char* kScriptedError = "Error: this site already exists in our directory.";
