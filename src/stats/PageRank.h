#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class ISleeper;

// The Google toolbar PageRank of a page: its checksum, the query path, the
// reading of the answer and the query itself, in the forms the main program and
// the list checker use. Also the site root that PageRank is asked for and the
// check that a directory's page still answers.

// PageRank when the service gave no usable value, or the main program's request failed.
inline constexpr std::int32_t kUnknownPageRank = -1;
// PageRank when the list checker's request failed.
inline constexpr std::int32_t kFailedPageRank = -2;

// The alive results: the page answered with a status below 400, or it did not.
inline constexpr std::int32_t kSiteAlive = 0;
inline constexpr std::int32_t kSiteDead = 2;

// How long the list checker pauses after each PageRank query.
inline constexpr int kListCheckerPauseMilliseconds = 3000;

// A URL cut down to its scheme and host, without a trailing slash; a URL without
// "http://" or "https://" is cut at its first "/", and one without "/" is kept whole.
std::string SiteRoot(std::string_view url);
std::u16string SiteRoot(std::u16string_view url);

// The checksum the query service asks for, of the whole text given (the query
// adds "info:" itself): each byte is taken as a signed value.
std::int32_t pageRankChecksum(std::string_view text);
// The same over 16-bit code units taken as unsigned values; equal for ASCII text.
std::int32_t pageRankChecksum(std::u16string_view text);

// The object path of the query for a URL; empty when the escaped URL is too long
// for the query (then no request is made).
std::string pageRankQueryPath(std::string_view url);
std::string pageRankQueryPath(std::u16string_view url);

// The PageRank in an answer: the number after its last ":", or -1 without one.
std::int32_t readPageRankAnswer(std::string_view body);

// Which request the main program's query makes.
enum class PageRankRequest {
    Page, // any answer is read, no time-outs (the statistics collectors)
    Timed, // short time-outs, only a status below 400 is read (the site checker)
};

// The main program's query: the PageRank of a URL from the query host
// ("host" or "host:port"), -1 when the request fails. Blocks.
std::int32_t QueryPageRank(
    std::string_view url, const std::string& host, PageRankRequest request = PageRankRequest::Page);
// The list checker's query over 16-bit text: -2 when the request fails, and a
// pause of 3000 ms after every query so that long runs keep the rate low. Blocks.
std::int32_t QueryPageRank(std::u16string_view url, const std::string& host, ISleeper& sleeper);

// Whether the page at a URL answers with a status below 400: 0 if so, 2 if not
// (also for a URL without "http://" or "https://"). Blocks.
std::int32_t CheckAlive(std::string_view url);
std::int32_t CheckAlive(std::u16string_view url);
