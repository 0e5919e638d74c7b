<?php
/*
 * Vantelo reciprocal link script.
 *
 * Upload this file, config.php, .htaccess, links.txt, lc.txt, idx.txt and
 * attempts.txt to one folder of your web site, make the four .txt files
 * writable by the web server, and set your password in config.php. See
 * README.txt.
 *
 * Requests (by POST as an application/x-www-form-urlencoded body, or by GET in
 * the query; answers are plain text). A GET puts the password into the
 * address, which web servers write to their logs: Vantelo always uses POST.
 *   test=1&password=P           "0" when everything is in place
 *   password=P&code=HTML        adds the link code to the current link page and
 *                               answers with the full URL of that page
 *   page=N (GET)                shows link page N (public, changes nothing)
 *
 * Answers other than a URL or "0":
 *   1  links.txt, lc.txt or idx.txt is missing
 *   2  links.txt, lc.txt or idx.txt cannot be written
 *   3  wrong password, or this address failed too often and waits 15 minutes
 *   4  the link code is not one link (<a href="http(s)://...">text</a>,
 *      optionally around one <img src="http(s)://...">), asks for
 *      rel="opener", gives an image size that is not a number of pixels, or
 *      is over 4 KB as stored (every text and attribute escaped)
 *   5  the password in config.php is not set or shorter than 12 characters
 *   6  config.php is missing, unreadable or broken
 *   7  attempts.txt cannot be opened or written
 *   HTTP 405 for any method other than GET and POST (HEAD only for pages)
 *
 * The data files:
 *   links.txt     every link added, one per line: the page number, a tab, the code
 *   idx.txt       the number of the page that new links go to (from 1)
 *   lc.txt        how many links that page holds already
 *   attempts.txt  recent failed password attempts per client address (IPv6
 *                 addresses by their /64 network) and of all clients together
 */

// What PHP would print about a problem (a broken config.php, a file it cannot
// read) names paths of the server; it goes to the server's log, never to a client.
ini_set('display_errors', '0');
ini_set('html_errors', '0');

const LINKS_PER_PAGE = 25;
const PAGE_TITLE = 'Link partners';
const MAX_CODE_BYTES = 4096;
const MAX_BODY_BYTES = 65536;
const MIN_PASSWORD_CHARACTERS = 12;
const FAILURE_LIMIT = 10;
const FAILURE_WINDOW_SECONDS = 900;
const LOCKOUT_SECONDS = 900;
const FAILURE_DELAY_MILLISECONDS = 1000;
const MAX_TRACKED_ADDRESSES = 2000;
// Wrong passwords from all addresses together within the failure window; past
// it no password is checked until the oldest failures age out, so that many
// addresses cannot share out the guessing.
const FAILURE_BUDGET = 100;
const ALL_CLIENTS = '*';
// An image wider or higher than this many pixels is shown at this size.
const MAX_IMAGE_PIXELS = 800;
const SHIPPED_PASSWORD = 'change-me';

header('Content-Type: text/plain; charset=utf-8');
header('Cache-Control: no-store');
header('X-Content-Type-Options: nosniff');
header("Content-Security-Policy: default-src 'none'; img-src http: https:");

$folder = __DIR__;
$files = [
    'links' => $folder . '/links.txt',
    'count' => $folder . '/lc.txt',
    'index' => $folder . '/idx.txt',
];

$method = isset($_SERVER['REQUEST_METHOD']) ? strtoupper($_SERVER['REQUEST_METHOD']) : 'GET';
// The query is read raw: a "+" typed into an address is a plus sign, not a blank.
$parameters = query_parameters(isset($_SERVER['QUERY_STRING']) ? $_SERVER['QUERY_STRING'] : '', false);
if ($method === 'POST') {
    $body = file_get_contents('php://input', false, null, 0, MAX_BODY_BYTES + 1);
    if (is_string($body) && strlen($body) > MAX_BODY_BYTES) {
        exit('4');
    }
    // A form body is read as forms are sent: "+" stands for a blank. What the
    // body says counts over the query.
    $parameters = query_parameters(is_string($body) ? $body : '', true) + $parameters;
}
$pageView = isset($parameters['page']) && !isset($parameters['code']) && !isset($parameters['test']);

// Only GET and POST may reach a link; HEAD only looks at a page.
if ($method !== 'GET' && $method !== 'POST' && !($method === 'HEAD' && $pageView)) {
    http_response_code(405);
    header('Allow: GET, POST');
    exit('Method not allowed');
}

if ($pageView) {
    show_page($files, (int)$parameters['page']);
    exit;
}

$configured = configured_password($folder . '/config.php');
if ($configured === null) {
    exit('6');
}
if (!is_password_hash($configured)
    && ($configured === SHIPPED_PASSWORD || character_count($configured) < MIN_PASSWORD_CHARACTERS)) {
    exit('5');
}

// Nothing is read or written for a request without the right password, and an
// address that keeps guessing is shut out for a while, the right password included.
$guard = open_guard($folder . '/attempts.txt');
if ($guard === false) {
    exit('7');
}
$given = isset($parameters['password']) ? $parameters['password'] : '';
$client = client_key(isset($_SERVER['REMOTE_ADDR']) ? (string)$_SERVER['REMOTE_ADDR'] : '');
$refusal = admit_client($guard, $client, time(), $configured, $given);
if ($refusal === '3') {
    usleep(failure_delay_milliseconds() * 1000);
}
if ($refusal !== '') {
    exit($refusal);
}

$problem = file_problem($files);
if ($problem !== '') {
    exit($problem);
}

if (isset($parameters['test'])) {
    exit('0');
}

// A request without a code adds nothing and names the page new links go to.
$code = isset($parameters['code']) ? trim($parameters['code']) : '';
if ($code === '') {
    exit(page_url(max(1, read_number($files['index']))));
}
$link = rebuilt_link($code);
if ($link === null) {
    exit('4');
}
$page = add_link($files, $link);
if ($page === 0) {
    exit('2');
}
echo page_url($page);

/* ---------------------------------------------------------------------- */

function query_parameters($raw, $plusIsBlank)
{
    $decode = $plusIsBlank ? 'urldecode' : 'rawurldecode';
    $parameters = [];
    foreach (explode('&', $raw) as $pair) {
        if ($pair === '') {
            continue;
        }
        $parts = explode('=', $pair, 2);
        $name = $decode($parts[0]);
        if (!isset($parameters[$name])) {
            $parameters[$name] = isset($parts[1]) ? $decode($parts[1]) : '';
        }
    }
    return $parameters;
}

// The name a client's failures are kept under: an IPv4 address as it is, an
// IPv6 address by its /64 network, since one subscriber usually holds a whole
// /64 and could otherwise change addresses at will.
function client_key($address)
{
    $binary = @inet_pton($address);
    if ($binary === false || strlen($binary) !== 16) {
        return $address;
    }
    if (substr($binary, 0, 12) === str_repeat("\0", 10) . "\xff\xff") {
        return inet_ntop(substr($binary, 12));
    }
    return inet_ntop(substr($binary, 0, 8) . str_repeat("\0", 8)) . '/64';
}

// The password line of config.php; null when the file is missing, cannot be
// read, does not compile or sets no text. Whatever it prints is dropped.
function configured_password($configFile)
{
    if (!is_file($configFile) || !is_readable($configFile)) {
        return null;
    }
    // A compiled copy kept by the opcode cache could still hold the password
    // from before an edit.
    if (function_exists('opcache_invalidate')) {
        @opcache_invalidate($configFile, true);
    }
    $password = null;
    ob_start();
    try {
        $loaded = include $configFile;
    } catch (Throwable $error) {
        $loaded = false;
    }
    ob_end_clean();
    return $loaded !== false && is_string($password) ? $password : null;
}

function is_password_hash($password)
{
    return strncmp($password, '$2y$', 4) === 0 || strncmp($password, '$argon2', 7) === 0;
}

function character_count($text)
{
    $count = preg_match_all('/./su', $text);
    return $count === false ? strlen($text) : $count;
}

// Both sides are hashed before they are compared, so the time taken does not
// tell the length of the password.
function password_matches($configured, $given)
{
    if (is_password_hash($configured)) {
        return password_verify($given, $configured);
    }
    return hash_equals(hash('sha256', $configured), hash('sha256', $given));
}

// PHP's built-in web server and its command line only ever run the test suite;
// there the pause after a failure may be shortened so that the tests do not
// wait. A real server always pauses the full time.
function failure_delay_milliseconds()
{
    if (PHP_SAPI === 'cli-server' || PHP_SAPI === 'cli') {
        $shorter = getenv('VANTELO_RECIPROCAL_FAILURE_DELAY_MS');
        if (is_string($shorter) && ctype_digit($shorter)) {
            return min((int)$shorter, FAILURE_DELAY_MILLISECONDS);
        }
    }
    return FAILURE_DELAY_MILLISECONDS;
}

// The failure record, opened (created when missing) and locked; false when it
// cannot be used, and then no password is checked at all.
function open_guard($file)
{
    $guard = @fopen($file, 'c+');
    if ($guard === false) {
        return false;
    }
    if (!flock($guard, LOCK_EX)) {
        fclose($guard);
        return false;
    }
    return $guard;
}

// Checks the password of a client under the failure record's lock, notes a
// failure or clears the client's record, and releases the record. "" admits
// the client; "3" refuses a wrong password or a client that is shut out; "7"
// refuses when the record cannot be written, since a failure that is not noted
// would let guessing go on without limit.
function admit_client($guard, $client, $now, $configured, $given)
{
    $records = read_failures($guard, $now);
    $record = isset($records[$client]) ? $records[$client] : ['until' => 0, 'failures' => []];
    $all = isset($records[ALL_CLIENTS]) ? $records[ALL_CLIENTS] : ['until' => 0, 'failures' => []];
    if ($record['until'] > $now || count($all['failures']) >= FAILURE_BUDGET) {
        $admitted = false;
    } elseif (password_matches($configured, $given)) {
        $admitted = true;
        unset($records[$client]);
    } else {
        $admitted = false;
        $record['failures'][] = $now;
        if (count($record['failures']) >= FAILURE_LIMIT) {
            $record = ['until' => $now + LOCKOUT_SECONDS, 'failures' => []];
        }
        $all['failures'][] = $now;
        unset($records[$client], $records[ALL_CLIENTS]);
        $records[$client] = $record;
        $records[ALL_CLIENTS] = $all;
    }
    $saved = write_failures($guard, $records);
    flock($guard, LOCK_UN);
    fclose($guard);
    if (!$saved) {
        return '7';
    }
    return $admitted ? '' : '3';
}

// One line per client address: the address, the time its lock-out ends (0 for
// none) and the times of its recent failures; the line of "*" holds the recent
// failures of all clients together. Lines that are stale or broken are dropped.
function read_failures($guard, $now)
{
    rewind($guard);
    $records = [];
    while (($line = fgets($guard)) !== false) {
        $fields = explode("\t", rtrim($line, "\r\n"));
        if (count($fields) !== 3 || $fields[0] === '' || !ctype_digit($fields[1])) {
            continue;
        }
        $failures = [];
        foreach (explode(',', $fields[2]) as $time) {
            if (ctype_digit($time) && (int)$time > $now - FAILURE_WINDOW_SECONDS) {
                $failures[] = (int)$time;
            }
        }
        $until = (int)$fields[1];
        if ($until > $now || $failures) {
            $records[$fields[0]] = ['until' => $until > $now ? $until : 0, 'failures' => $failures];
        }
    }
    return $records;
}

function write_failures($guard, array $records)
{
    $records = kept_failures($records);
    $text = '';
    foreach ($records as $client => $record) {
        $text .= str_replace(["\t", "\r", "\n"], ' ', (string)$client) . "\t" . $record['until'] . "\t"
            . implode(',', $record['failures']) . "\n";
    }
    return ftruncate($guard, 0) && rewind($guard) && fwrite($guard, $text) === strlen($text) && fflush($guard);
}

// The records kept when too many addresses failed at once: the shared budget
// and every address that is shut out come first, so that failing once from
// many other addresses cannot wipe out a lock-out; of the others, the most
// recent. Their order stays.
function kept_failures(array $records)
{
    if (count($records) <= MAX_TRACKED_ADDRESSES + 1) {
        return $records;
    }
    $locked = [];
    $plain = [];
    foreach ($records as $client => $record) {
        if ($client === ALL_CLIENTS || $record['until'] > 0) {
            $locked[$client] = true;
        } else {
            $plain[] = $client;
        }
    }
    $room = max(0, MAX_TRACKED_ADDRESSES + 1 - count($locked));
    $kept = $locked + array_fill_keys($room > 0 ? array_slice($plain, -$room) : [], true);
    return array_intersect_key($records, $kept);
}

// "1" when a data file is missing, "2" when one cannot be written, "" when all is well.
function file_problem(array $files)
{
    foreach ($files as $file) {
        if (!is_file($file)) {
            return '1';
        }
    }
    foreach ($files as $file) {
        if (!is_writable($file)) {
            return '2';
        }
    }
    return '';
}

function read_number($file)
{
    $text = is_readable($file) ? trim((string)file_get_contents($file)) : '';
    return ctype_digit($text) ? (int)$text : 0;
}

/* Link codes ------------------------------------------------------------ */

// A link code rebuilt from its parts with every text and attribute escaped: one
// <a href="http(s)://..."> with text, optionally around one
// <img src="http(s)://...">, and nothing else. Null for anything else, and for
// a link that would be over 4 KB as stored: escaping makes a code longer.
function rebuilt_link($code)
{
    $html = rebuilt_link_html($code);
    return $html !== null && strlen($html) <= MAX_CODE_BYTES ? $html : null;
}

function rebuilt_link_html($code)
{
    if (strlen($code) > MAX_CODE_BYTES || preg_match('//u', $code) !== 1) {
        return null;
    }
    $at = strspn($code, " \t\r\n\f");
    $anchor = read_start_tag($code, $at, 'a', ['href', 'title', 'target', 'rel']);
    if ($anchor === null || !is_web_address($anchor, 'href') || asks_for_opener($anchor)) {
        return null;
    }
    $before = read_text($code, $at);
    $image = read_start_tag($code, $at, 'img', ['src', 'alt', 'title', 'width', 'height', 'border']);
    if ($image !== null && (!is_web_address($image, 'src') || ($image = capped_size($image)) === null)) {
        return null;
    }
    $after = $image === null ? '' : read_text($code, $at);
    if (!preg_match('~</a[ \t\r\n\f]*>[ \t\r\n\f]*$~Ai', $code, $match, 0, $at)) {
        return null;
    }
    if ($image === null && trim($before) === '') {
        return null;
    }
    $html = '<a' . attributes_html($anchor) . '>' . text_html($before);
    if ($image !== null) {
        $html .= '<img' . attributes_html($image) . '>' . text_html($after);
    }
    return $html . '</a>';
}

// Reads the start tag of an element at $at and moves past it: its attributes,
// names in lower case and values decoded. Null when there is no such tag, or it
// has an attribute that is not allowed or given twice.
function read_start_tag($html, &$at, $name, array $allowed)
{
    $open = '<' . $name;
    if (strncasecmp(substr($html, $at, strlen($open)), $open, strlen($open)) !== 0) {
        return null;
    }
    $position = $at + strlen($open);
    $attributes = [];
    while (true) {
        $blanks = strspn($html, " \t\r\n\f", $position);
        $position += $blanks;
        if ($position >= strlen($html)) {
            return null;
        }
        if ($html[$position] === '>' || substr($html, $position, 2) === '/>') {
            $at = $position + ($html[$position] === '>' ? 1 : 2);
            return $attributes;
        }
        $attribute = '~([a-zA-Z][a-zA-Z0-9_:.-]*)(?:[ \t\r\n\f]*=[ \t\r\n\f]*("[^"]*"|\'[^\']*\'|[^ \t\r\n\f"\'=<>`]+))?~A';
        if ($blanks === 0 || !preg_match($attribute, $html, $match, 0, $position)) {
            return null;
        }
        $key = strtolower($match[1]);
        if (!in_array($key, $allowed, true) || isset($attributes[$key])) {
            return null;
        }
        $value = isset($match[2]) ? $match[2] : '';
        if ($value !== '' && ($value[0] === '"' || $value[0] === "'")) {
            $value = substr($value, 1, -1);
        }
        $attributes[$key] = decoded($value);
        $position += strlen($match[0]);
    }
}

// The text up to the next "<", decoded; moves $at past it.
function read_text($html, &$at)
{
    $length = strcspn($html, '<', $at);
    $text = decoded(substr($html, $at, $length));
    $at += $length;
    return $text;
}

function decoded($text)
{
    return html_entity_decode($text, ENT_QUOTES | ENT_HTML5, 'UTF-8');
}

// An absolute http or https address with a host, and no control characters.
function is_web_address(array $attributes, $name)
{
    return isset($attributes[$name]) && preg_match('~^https?://[^/?#\s]+~i', $attributes[$name])
        && !preg_match('~[\x00-\x1F\x7F]~', $attributes[$name]);
}

// rel="opener" would give the linked page a hold on the link page's window.
function asks_for_opener(array $attributes)
{
    if (!isset($attributes['rel'])) {
        return false;
    }
    $words = preg_split('~[ \t\r\n\f]+~', strtolower($attributes['rel']), -1, PREG_SPLIT_NO_EMPTY);
    return in_array('opener', $words, true);
}

// An image's width and height as whole pixels, at most MAX_IMAGE_PIXELS each,
// so that no image can cover the link page; null for a size that is no number
// of pixels.
function capped_size(array $attributes)
{
    foreach (['width', 'height'] as $side) {
        if (!isset($attributes[$side])) {
            continue;
        }
        if (!preg_match('~^[ \t\r\n\f]*([0-9]{1,9})(?:px)?[ \t\r\n\f]*$~i', $attributes[$side], $match)) {
            return null;
        }
        $attributes[$side] = (string)min((int)$match[1], MAX_IMAGE_PIXELS);
    }
    return $attributes;
}

// Every value escaped and on one line, as links.txt keeps one link per line.
function attributes_html(array $attributes)
{
    $html = '';
    foreach ($attributes as $name => $value) {
        $html .= ' ' . $name . '="' . text_html($value) . '"';
    }
    return $html;
}

function text_html($text)
{
    $oneLine = preg_replace('~[\x00-\x20\x7F]+~', ' ', $text);
    return htmlspecialchars($oneLine, ENT_QUOTES | ENT_SUBSTITUTE, 'UTF-8');
}

/* Link pages ------------------------------------------------------------ */

// Adds one link under a lock; the page number it went to, 0 when a write failed.
function add_link(array $files, $link)
{
    $lock = @fopen($files['index'], 'r+');
    if ($lock === false || !flock($lock, LOCK_EX)) {
        return 0;
    }
    $page = max(1, read_number($files['index']));
    $count = read_number($files['count']);
    if ($count >= LINKS_PER_PAGE) {
        $page += 1;
        $count = 0;
    }
    $written = @file_put_contents($files['links'], $page . "\t" . $link . "\n", FILE_APPEND) !== false
        && @file_put_contents($files['count'], (string)($count + 1)) !== false
        && ftruncate($lock, 0) && rewind($lock) && fwrite($lock, (string)$page) !== false;
    fflush($lock);
    flock($lock, LOCK_UN);
    fclose($lock);
    return $written ? $page : 0;
}

function page_url($page)
{
    $https = !empty($_SERVER['HTTPS']) && $_SERVER['HTTPS'] !== 'off';
    $host = isset($_SERVER['HTTP_HOST']) ? $_SERVER['HTTP_HOST'] : 'localhost';
    $script = isset($_SERVER['SCRIPT_NAME']) ? $_SERVER['SCRIPT_NAME'] : '/interact.php';
    return ($https ? 'https://' : 'http://') . $host . $script . '?page=' . $page;
}

function show_page(array $files, $page)
{
    header('Content-Type: text/html; charset=utf-8', true);
    $links = [];
    // A list the server cannot read shows as an empty page.
    $lines = is_readable($files['links']) ? file($files['links'], FILE_IGNORE_NEW_LINES) : false;
    foreach ($lines === false ? [] : $lines as $line) {
        $parts = explode("\t", $line, 2);
        // Links stored before codes were checked are checked again; those that
        // are not one plain link stay in links.txt but are not shown.
        if (count($parts) === 2 && (int)$parts[0] === $page && ($link = rebuilt_link($parts[1])) !== null) {
            $links[] = $link;
        }
    }
    $pages = max(1, read_number($files['index']));
    echo "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>", PAGE_TITLE, ' - page ', $page,
        "</title></head>\n<body>\n<h1>", PAGE_TITLE, "</h1>\n<ul>\n";
    foreach ($links as $link) {
        echo '<li>', $link, "</li>\n";
    }
    echo "</ul>\n<p>";
    for ($other = 1; $other <= $pages; $other++) {
        echo $other === $page ? "<b>$other</b> " : "<a href=\"?page=$other\">$other</a> ";
    }
    echo "</p>\n</body></html>\n";
}
