<!DOCTYPE html>
<html><head><title>Jazz - Music Links Directory</title></head>
<body>
<p class="crumbs"><a href="/">Top</a> &raquo; <a href="/category.php?id=3">Music</a> &raquo; Jazz</p>
<h1>Jazz</h1>
<p class="actions"><a href="/submit.php?c=12" class="addurl">Add URL to this category</a></p>
<ol class="links">
<li><a href="http://jazz-archive.example/">The Jazz Archive</a> &ndash; recordings since 1917</li>
<li><a href="http://bluenotes.example/">Blue Notes</a> &ndash; club listings</li>
</ol>
</body></html>
