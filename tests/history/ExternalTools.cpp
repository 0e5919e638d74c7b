#include "ExternalTools.h"

#include <array>
#include <cstdio>
#include <sys/wait.h>

namespace {

constexpr const char* kReadWorkbook = R"(
import json, sys, openpyxl
book = openpyxl.load_workbook(sys.argv[1])
sheets = []
for sheet in book.worksheets:
    rows = [[{"value": cell.value, "type": cell.data_type} for cell in row] for row in sheet.iter_rows()]
    sheets.append({"name": sheet.title, "rows": rows})
print(json.dumps({"sheets": sheets}))
)";

std::string quoted(const std::string& word)
{
    std::string text = "'";
    for (const char character : word)
        text += character == '\'' ? std::string("'\\''") : std::string(1, character);
    return text + "'";
}

bool isProgram(const char* path)
{
    return path[0] != '\0' && std::filesystem::exists(path);
}

} // namespace

ToolRun runTool(const std::vector<std::string>& command)
{
    std::string line;
    for (const std::string& word : command)
        line += quoted(word) + " ";
    line += "2>/dev/null";
    ToolRun run;
    FILE* pipe = ::popen(line.c_str(), "r");
    if (!pipe)
        return run;
    std::array<char, 4096> buffer {};
    std::size_t read = 0;
    while ((read = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.out.append(buffer.data(), read);
    const int status = ::pclose(pipe);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

bool canReadWorkbooks()
{
    return isProgram(VANTELO_PYTHON3) && runTool({ VANTELO_PYTHON3, "-c", "import openpyxl" }).code == 0;
}

std::optional<nlohmann::json> readWorkbook(const std::filesystem::path& file)
{
    const ToolRun run = runTool({ VANTELO_PYTHON3, "-c", kReadWorkbook, file.string() });
    if (run.code != 0)
        return std::nullopt;
    return nlohmann::json::parse(run.out);
}

bool canRenderReports()
{
    return isProgram(VANTELO_XSLTPROC);
}

ToolRun renderReport(const std::filesystem::path& styleSheet, const std::filesystem::path& report)
{
    return runTool({ VANTELO_XSLTPROC, "--nonet", styleSheet.string(), report.string() });
}

std::filesystem::path shippedStyleSheet()
{
    return std::filesystem::path(VANTELO_SOURCE_DIR) / "resources" / "submission.xsl";
}
