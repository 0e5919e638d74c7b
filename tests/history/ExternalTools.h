#pragma once

#include <nlohmann/json.hpp>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// What a program run by a test printed on stdout, and its exit code.
struct ToolRun {
    int code = -1;
    std::string out;
};

// Runs a program with arguments (no shell involved in their meaning).
ToolRun runTool(const std::vector<std::string>& command);

// Whether python3 with openpyxl is there to read workbooks back.
bool canReadWorkbooks();
// Every worksheet of a workbook as {"sheets": [{"name", "rows": [[{"value", "type"}]]}]},
// read by openpyxl; nothing when it cannot be read.
std::optional<nlohmann::json> readWorkbook(const std::filesystem::path& file);

// Whether xsltproc is there.
bool canRenderReports();
// The HTML that the style sheet named by the report makes of it.
ToolRun renderReport(const std::filesystem::path& styleSheet, const std::filesystem::path& report);

// The shipped style sheet in the source tree.
std::filesystem::path shippedStyleSheet();
