#include "stats/TrancoList.h"

#include "common/AtomicFile.h"
#include "common/DataFolder.h"
#include "common/LocalTime.h"
#include "net/HttpClient.h"
#include "net/HttpTarget.h"
#include "stats/OpenPageRank.h"

#include <zip.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <vector>

namespace {

constexpr const char* kFileName = "tranco-top-1m.csv";
constexpr std::string_view kZipMagic = "PK\x03\x04";
// No list entry is near this size; a larger one is not a ranking.
constexpr zip_uint64_t kLargestEntry = std::uint64_t { 256 } << 20;
constexpr const char* kDateFormat = "%d %B %Y";
constexpr std::time_t kSecondsPerDay = 24 * 60 * 60;

struct ZipCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct ZipFileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

// Whether the text starts as the list does: a rank, a comma and a domain.
bool looksLikeList(std::string_view text)
{
    const std::string_view line = text.substr(0, text.find('\n'));
    const std::size_t comma = line.find(',');
    if (comma == 0 || comma == std::string_view::npos || comma > 9)
        return false;
    for (std::size_t i = 0; i < comma; ++i)
        if (line[i] < '0' || line[i] > '9')
            return false;
    return line.size() > comma + 1;
}

zip_int64_t entryToRead(zip_t* archive)
{
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(archive, static_cast<zip_uint64_t>(i), 0);
        if (name && std::string_view(name).ends_with(".csv"))
            return i;
    }
    return count == 1 ? 0 : -1;
}

std::optional<std::string> unzipList(const std::string& bytes, std::string& problem)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    std::unique_ptr<zip_t, ZipCloser> archive(
        source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr);
    if (!archive) {
        problem = std::string("the downloaded zip archive cannot be read: ") + zip_error_strerror(&error);
        if (source)
            zip_source_free(source);
        zip_error_fini(&error);
        return std::nullopt;
    }
    zip_error_fini(&error);
    const zip_int64_t index = entryToRead(archive.get());
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (index < 0 || zip_stat_index(archive.get(), static_cast<zip_uint64_t>(index), 0, &stat) != 0
        || (stat.valid & ZIP_STAT_SIZE) == 0 || stat.size > kLargestEntry) {
        problem = "the downloaded zip archive holds no list";
        return std::nullopt;
    }
    std::unique_ptr<zip_file_t, ZipFileCloser> entry(
        zip_fopen_index(archive.get(), static_cast<zip_uint64_t>(index), 0));
    std::string text(static_cast<std::size_t>(stat.size), '\0');
    const zip_int64_t read = entry ? zip_fread(entry.get(), text.data(), stat.size) : -1;
    if (read < 0 || static_cast<zip_uint64_t>(read) != stat.size) {
        problem = "the downloaded zip archive is damaged or cut short";
        return std::nullopt;
    }
    // Closing checks the entry's checksum.
    if (zip_fclose(entry.release()) != 0) {
        problem = "the downloaded zip archive is damaged (checksum mismatch)";
        return std::nullopt;
    }
    return text;
}

std::size_t countLines(std::string_view text)
{
    std::size_t lines = 0;
    for (const char c : text)
        lines += c == '\n';
    return lines + (!text.empty() && text.back() != '\n');
}

// The host and each parent domain of at least two labels, nearest first.
std::vector<std::string> candidateDomains(std::string_view site)
{
    std::vector<std::string> candidates;
    std::string domain = siteDomain(site);
    while (!domain.empty()) {
        candidates.push_back(domain);
        const std::size_t dot = domain.find('.');
        if (dot == std::string::npos || domain.find('.', dot + 1) == std::string::npos)
            break;
        domain.erase(0, dot + 1);
    }
    return candidates;
}

} // namespace

TrancoList::TrancoList(std::filesystem::path file)
    : m_file(std::move(file))
{
}

std::filesystem::path TrancoList::fileIn(const DataFolder& folder)
{
    return folder.root() / "data" / kFileName;
}

std::optional<std::time_t> TrancoList::storedAt() const
{
    std::error_code error;
    const auto written = std::filesystem::last_write_time(m_file, error);
    if (error)
        return std::nullopt;
    const auto system = std::chrono::file_clock::to_sys(written);
    return std::chrono::system_clock::to_time_t(
        std::chrono::time_point_cast<std::chrono::system_clock::duration>(system));
}

bool TrancoList::needsRefresh(std::time_t now) const
{
    const std::optional<std::time_t> stored = storedAt();
    return !stored || now - *stored > kRefreshDays * kSecondsPerDay;
}

std::string TrancoList::ageText(std::time_t now) const
{
    const std::optional<std::time_t> stored = storedAt();
    if (!stored)
        return "not downloaded yet";
    const long long days = std::max<long long>(0, (now - *stored) / kSecondsPerDay);
    const std::string age = days == 0 ? "today"
        : days == 1                   ? "1 day ago"
                                      : std::to_string(days) + " days ago";
    return "downloaded on " + formatLocalTime(*stored, kDateFormat) + " (" + age + ")";
}

TrancoList::Lookup TrancoList::rankOf(std::string_view site) const
{
    Lookup lookup;
    const std::vector<std::string> candidates = candidateDomains(site);
    lookup.domain = candidates.empty() ? std::string() : candidates.front();
    std::ifstream in(m_file, std::ios::binary);
    if (!in)
        return lookup;
    lookup.listPresent = true;
    if (candidates.empty())
        return lookup;
    // The nearest candidate wins; a farther one found first is kept until then.
    std::size_t best = candidates.size();
    std::string line;
    while (best > 0 && std::getline(in, line)) {
        const std::size_t comma = line.find(',');
        if (comma == std::string::npos)
            continue;
        std::string_view domain = std::string_view(line).substr(comma + 1);
        while (!domain.empty() && (domain.back() == '\r' || domain.back() == ' '))
            domain.remove_suffix(1);
        for (std::size_t i = 0; i < best; ++i) {
            if (domain == candidates[i]) {
                best = i;
                lookup.rank = static_cast<std::int32_t>(std::strtol(line.c_str(), nullptr, 10));
                lookup.domain = candidates[i];
                break;
            }
        }
    }
    return lookup;
}

TrancoList::Update TrancoList::update(
    const std::string& url, const Progress& progress, std::chrono::milliseconds timeLimit) const
{
    Update result;
    HttpRequest request(splitRequestUrl(url));
    request.progress = progress;
    request.totalTimeout = timeLimit;
    std::string bytes;
    const HttpExchange exchange = performHttpRequest(request, HttpOutput { &bytes, std::nullopt });
    if (exchange.failure == HttpFailure::TimedOut) {
        result.message = "The Tranco list download timed out (it may take "
            + std::to_string(std::chrono::duration_cast<std::chrono::seconds>(timeLimit).count())
            + " seconds at most); the old list is kept";
        return result;
    }
    if (!exchange.answered()) {
        result.message = "The Tranco list could not be downloaded: no answer from " + url;
        return result;
    }
    if (exchange.status != 200) {
        result.message = "The Tranco list could not be downloaded: " + url + " answered HTTP "
            + std::to_string(exchange.status);
        return result;
    }
    if (!exchange.complete) {
        result.message = "The Tranco list download was cut short; the old list is kept";
        return result;
    }
    std::string problem;
    const std::optional<std::string> text = trancoTextFrom(bytes, problem);
    if (!text) {
        result.message = "The Tranco list was not stored: " + problem + "; the old list is kept";
        return result;
    }
    std::error_code ignored;
    std::filesystem::create_directories(m_file.parent_path(), ignored);
    if (const auto error = writeFileAtomically(m_file, *text)) {
        result.message = "The Tranco list could not be saved to " + m_file.string() + ": " + error->message;
        return result;
    }
    result.stored = true;
    result.entries = countLines(*text);
    result.message = "The Tranco list was saved with " + std::to_string(result.entries) + " sites";
    return result;
}

std::optional<std::string> trancoTextFrom(const std::string& bytes, std::string& problem)
{
    if (std::string_view(bytes).starts_with(kZipMagic)) {
        std::optional<std::string> text = unzipList(bytes, problem);
        if (text && !looksLikeList(*text)) {
            problem = "the file in the zip archive is not a \"rank,domain\" list";
            return std::nullopt;
        }
        return text;
    }
    if (!looksLikeList(bytes)) {
        problem = "the download is neither a \"rank,domain\" list nor a zip archive";
        return std::nullopt;
    }
    return bytes;
}
