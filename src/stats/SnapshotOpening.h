#pragma once

#include <functional>

class IMessageBox;

// Before a snapshot can be taken there must be an active profile: while there is
// none, asks whether to create one now and, on Yes, runs the profile creation.
// True once there is an active profile; false when the user answered No.
bool ensureSnapshotProfile(IMessageBox& messages, const std::function<bool()>& hasActiveProfile,
    const std::function<void()>& createProfile);
