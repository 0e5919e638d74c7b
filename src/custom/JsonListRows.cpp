#include "custom/JsonListRows.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace {

constexpr const char* kUnreadable = "its JSON cannot be read";
constexpr const char* kTooDeep = "its JSON is nested more than 64 levels deep";
constexpr const char* kNoList = "its JSON holds no list of directories (an array of objects)";
// Enough of the parser's message to find the place.
constexpr std::size_t kMaxDetail = 160;

// The parser's message without its "[json.exception.parse_error.101] " prefix.
std::string parseErrorText(const std::string& what)
{
    std::string detail = what.substr(what.find("] ") == std::string::npos ? 0 : what.find("] ") + 2);
    if (detail.size() > kMaxDetail)
        detail = detail.substr(0, kMaxDetail) + "...";
    return std::string(kUnreadable) + " (" + detail + ")";
}

} // namespace

// Turns the parser's events into rows. The frames are the open arrays and
// objects; the rows are those of the first array, at the top or directly in
// the top object, whose elements are objects or strings.
class JsonListHandler : public nlohmann::json_sax<nlohmann::json> {
public:
    explicit JsonListHandler(JsonListRows& rows)
        : m_rows(rows)
    {
    }

    bool null() override { return true; }
    bool boolean(bool value) override { return scalar(value ? "true" : "false"); }
    bool number_integer(number_integer_t value) override { return scalar(std::to_string(value)); }
    bool number_unsigned(number_unsigned_t value) override { return scalar(std::to_string(value)); }
    bool number_float(number_float_t, const string_t& text) override { return scalar(text); }
    bool string(string_t& value) override { return scalar(value); }
    bool binary(binary_t&) override { return true; }

    bool start_object(std::size_t) override
    {
        if (!open(false))
            return false;
        if (m_rowsDepth != 0 && m_frames.size() == m_rowsDepth + 1) {
            m_rows.m_rowStarts.push_back(m_rows.m_cells.size());
            m_inRow = true;
        }
        return true;
    }

    bool key(string_t& name) override
    {
        m_frames.back().key = name;
        return true;
    }

    bool end_object() override
    {
        m_frames.pop_back();
        if (m_inRow && m_frames.size() == m_rowsDepth) {
            m_inRow = false;
            // An object without a value is no row.
            if (m_rows.m_rowStarts.back() == m_rows.m_cells.size())
                m_rows.m_rowStarts.pop_back();
        }
        return true;
    }

    bool start_array(std::size_t) override
    {
        if (!open(true))
            return false;
        const bool candidate = m_frames.size() == 1 || (m_frames.size() == 2 && !m_frames.front().array);
        if (!m_done && m_rowsDepth == 0 && candidate) {
            m_rowsDepth = m_frames.size();
            m_rowsBefore = m_rows.size();
        }
        return true;
    }

    bool end_array() override
    {
        if (m_rowsDepth == m_frames.size()) {
            m_done = m_rows.size() > m_rowsBefore;
            m_rowsDepth = 0;
        }
        m_frames.pop_back();
        return true;
    }

    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& error) override
    {
        m_rows.m_problem = parseErrorText(error.what());
        return false;
    }

    bool sawList() const { return m_sawArray; }

private:
    struct Frame {
        bool array = false;
        std::string key; // of an object: the key of the value being read
    };

    bool open(bool array)
    {
        if (m_frames.size() >= JsonListRows::kMaxJsonListDepth) {
            m_rows.m_problem = kTooDeep;
            return false;
        }
        m_sawArray = m_sawArray || array;
        m_frames.push_back({ array, {} });
        return true;
    }

    bool scalar(std::string_view value)
    {
        if (m_inRow) {
            // The key of the nearest object: values of an array inside a row share it.
            const auto object = std::find_if(
                m_frames.rbegin(), m_frames.rend(), [](const Frame& frame) { return !frame.array; });
            m_rows.addCell(object->key, value);
        } else if (m_rowsDepth == 1 && m_frames.size() == 1) {
            // A top-level array of addresses; strings in an array beside other
            // keys ("tags": [...]) are no list.
            m_rows.m_rowStarts.push_back(m_rows.m_cells.size());
            m_rows.addCell({}, value);
        }
        return true;
    }

    JsonListRows& m_rows;
    std::vector<Frame> m_frames;
    std::size_t m_rowsDepth = 0; // the depth of the array being read as rows; 0 for none
    std::size_t m_rowsBefore = 0;
    bool m_inRow = false;
    bool m_done = false; // an array gave rows: later ones are not read
    bool m_sawArray = false;
};

JsonListRows JsonListRows::parse(std::string_view text)
{
    JsonListRows rows;
    JsonListHandler handler(rows);
    const bool read = nlohmann::json::sax_parse(text, &handler);
    if (!read) {
        if (rows.m_problem.empty())
            rows.m_problem = kUnreadable;
    } else if (!handler.sawList()) {
        rows.m_problem = kNoList;
    }
    if (!rows.m_problem.empty()) {
        rows.m_cells.clear();
        rows.m_rowStarts.clear();
        rows.m_text.clear();
    }
    return rows;
}

void JsonListRows::row(std::size_t index, std::vector<std::string_view>& cells) const
{
    cells.assign(m_headings.size(), std::string_view());
    const std::size_t end = index + 1 < m_rowStarts.size() ? m_rowStarts[index + 1] : m_cells.size();
    for (std::size_t at = m_rowStarts[index]; at < end; ++at) {
        const Cell& cell = m_cells[at];
        cells[cell.column] = std::string_view(m_text).substr(cell.offset, cell.length);
    }
}

void JsonListRows::addCell(const std::string& key, std::string_view value)
{
    auto column = m_columns.find(key);
    if (column == m_columns.end()) {
        if (m_headings.size() >= kMaxColumns)
            return;
        column = m_columns.emplace(key, static_cast<std::uint32_t>(m_headings.size())).first;
        m_headings.push_back(key);
    }
    value = value.substr(0, kMaxCellBytes);
    const std::size_t offset = m_text.size();
    for (std::size_t at = m_rowStarts.back(); at < m_cells.size(); ++at) {
        Cell& earlier = m_cells[at];
        if (earlier.column != column->second)
            continue;
        if (earlier.length + 2 + value.size() > kMaxCellBytes)
            return;
        // Another value of a key the row has: the two are joined at the end of the text.
        m_text.append(m_text, earlier.offset, earlier.length);
        m_text += ", ";
        m_text += value;
        earlier.offset = offset;
        earlier.length = static_cast<std::uint32_t>(m_text.size() - offset);
        return;
    }
    m_text += value;
    m_cells.push_back({ column->second, static_cast<std::uint32_t>(value.size()), offset });
}
