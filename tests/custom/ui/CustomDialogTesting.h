#pragma once

#include "common/HostConfiguration.h"
#include "common/SettingsStore.h"
#include "net/LoopbackServer.h"
#include "support/RecordingMessageBox.h"

// Hosts whose PageRank queries go to a loopback server.
inline HostConfiguration pageRankAt(const LoopbackServer& server)
{
    RecordingMessageBox messages;
    SettingsStore settings(messages);
    settings.SetSetting(HostConfiguration::kPageRankKey, server.host());
    return HostConfiguration(settings);
}
