#pragma once

#include <string>
#include <string_view>

// The rules by which a typed or imported directory address becomes a submit URL,
// a proposed name and a key for spotting directories already known.

// The address with "http://" in front unless it already names "http://" or
// "https://" (an https address is kept as it is rather than made unusable).
std::string withHttpScheme(std::string address);

// The name proposed for an address: a leading "http://" (or "https://") and then
// "www." dropped, in any letter case, the rest cut at its first "." and its first
// letter made upper case. "http://www.example.com/add" gives "Example".
std::string proposedDirectoryName(std::string_view address);
// The name proposed for a directory learned from its page: the part of the page's
// title that names the site ("Acme Links" of "Submit a site | Acme Links"): the
// piece between separators that holds the word the address proposes, else the
// first piece. The address's proposal when the title says nothing.
std::string proposedNameFromTitle(std::string_view title, std::string_view address);
// The part of the address that the proposed name is made of, as it is written.
std::string_view proposedNamePart(std::string_view address);

// The host key (see hostKey) by which two directories are the same site. For an
// "https://" address it is taken as for "http://": the plain host key would cut
// every https address down to "https:" and make them all one site.
std::string siteKey(std::string_view address);

// An address of a directory list read as a person reads it: blanks and a stray
// "," or ";" at the end dropped, "https://" put in front when it names no scheme
// ("capterra.com"), the scheme and host in lower case and the rest as written.
// False, with `address` left undefined, when the text names no web site: another
// scheme ("ftp://", "mailto:"), no host, a host with blanks or other characters
// no host has, or (without a scheme) a host without a dot, which is a name.
bool readListAddress(std::string_view text, std::string& address);

// The site of an address as lists compare them: its host (and port) in lower
// case, without the scheme and a leading "www.". "https://WWW.Example.com/add"
// and "example.com?ref=1" are both "example.com".
std::string listSiteKey(std::string_view address);
