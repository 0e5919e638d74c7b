<?php
/*
 * Vantelo reciprocal link script.
 *
 * Upload this file, config.php, links.txt, lc.txt and idx.txt to one folder of
 * your web site, make the three .txt files writable by the web server, and set
 * your password in config.php. See README.txt.
 *
 * Requests (answers are plain text):
 *   ?test=1&password=P          "0" configured correctly, "1" a data file is
 *                               missing, "2" a data file cannot be written,
 *                               "3" wrong password
 *   ?password=P&code=HTML       adds the link code to the current link page and
 *                               answers with the full URL of that page (or "1",
 *                               "2", "3" as above)
 *   ?page=N                     shows link page N (public, changes nothing)
 *
 * The data files:
 *   links.txt  every link added, one per line: the page number, a tab, the code
 *   idx.txt    the number of the page that new links go to (from 1)
 *   lc.txt     how many links that page holds already
 */

const LINKS_PER_PAGE = 25;
const PAGE_TITLE = 'Link partners';

header('Content-Type: text/plain; charset=utf-8');
header('Cache-Control: no-store');

$folder = __DIR__;
$files = [
    'links' => $folder . '/links.txt',
    'count' => $folder . '/lc.txt',
    'index' => $folder . '/idx.txt',
];

// The query is read raw: a "+" in a link code is a plus sign, not a blank.
$query = query_parameters(isset($_SERVER['QUERY_STRING']) ? $_SERVER['QUERY_STRING'] : '');

if (isset($query['page']) && !isset($query['code']) && !isset($query['test'])) {
    show_page($files, (int)$query['page']);
    exit;
}

// Nothing is read or written for a request without the right password.
$configured = configured_password($folder . '/config.php');
$given = isset($query['password']) ? $query['password'] : '';
if ($configured === '' || !hash_equals($configured, $given)) {
    exit('3');
}

$problem = file_problem($files);
if ($problem !== '') {
    exit($problem);
}

if (isset($query['test'])) {
    exit('0');
}

// A request without a code adds nothing and names the page new links go to.
$code = isset($query['code']) ? trim($query['code']) : '';
$page = $code === '' ? max(1, read_number($files['index'])) : add_link($files, $code);
if ($page === 0) {
    exit('2');
}
echo page_url($page);

/* ---------------------------------------------------------------------- */

function query_parameters($raw)
{
    $parameters = [];
    foreach (explode('&', $raw) as $pair) {
        if ($pair === '') {
            continue;
        }
        $parts = explode('=', $pair, 2);
        $name = rawurldecode($parts[0]);
        if (!isset($parameters[$name])) {
            $parameters[$name] = isset($parts[1]) ? rawurldecode($parts[1]) : '';
        }
    }
    return $parameters;
}

function configured_password($configFile)
{
    if (!is_file($configFile)) {
        return '';
    }
    $password = '';
    include $configFile;
    // The placeholder of the shipped config.php opens nothing: set a password first.
    return is_string($password) && $password !== 'change-me' ? $password : '';
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
    $text = trim((string)@file_get_contents($file));
    return ctype_digit($text) ? (int)$text : 0;
}

// Adds one link under a lock; the page number it went to, 0 when a write failed.
function add_link(array $files, $code)
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
    // One line per link: line breaks inside the code become blanks.
    $line = $page . "\t" . str_replace(["\r\n", "\r", "\n"], ' ', $code) . "\n";
    $written = file_put_contents($files['links'], $line, FILE_APPEND) !== false
        && file_put_contents($files['count'], (string)($count + 1)) !== false
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
    $lines = is_file($files['links']) ? file($files['links'], FILE_IGNORE_NEW_LINES) : [];
    foreach ($lines as $line) {
        $parts = explode("\t", $line, 2);
        if (count($parts) === 2 && (int)$parts[0] === $page) {
            $links[] = $parts[1];
        }
    }
    $pages = max(1, read_number($files['index']));
    echo "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>", PAGE_TITLE, ' - page ', $page,
        "</title></head>\n<body>\n<h1>", PAGE_TITLE, "</h1>\n<ul>\n";
    foreach ($links as $link) {
        // The codes are the directories' own link HTML and are shown as such.
        echo '<li>', $link, "</li>\n";
    }
    echo "</ul>\n<p>";
    for ($other = 1; $other <= $pages; $other++) {
        echo $other === $page ? "<b>$other</b> " : "<a href=\"?page=$other\">$other</a> ";
    }
    echo "</p>\n</body></html>\n";
}
