#pragma once

// The version of Vantelo, tessaly and vantelo-cli, which ship together ("4.0.0").
const char* programVersion();
