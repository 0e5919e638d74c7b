# The fuzz targets; each has a seed corpus in corpus/<name>/ and an entry in
# FuzzTargets.cpp.
set(VANTELO_FUZZ_TARGETS
  directory_database
  profile_file
  sv_dat
  settings_file
  pagerank_answer
  search_pages
  approval_scan
  urls
  page_description
  checker_database
  directory_list
  html_page
  open_pagerank
  search_api
  tranco_list
  page_answer
  form_words
)
