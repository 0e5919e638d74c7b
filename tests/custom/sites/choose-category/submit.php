<!DOCTYPE html>
<html><head><title>Add URL - Mountain Link Index</title></head>
<body>
<div id="menu"><a href="/index.php">Home</a> | <a href="/submit.php">Add URL</a></div>
<h2>Choose a category first</h2>
<p>Sites are listed in one category. Pick the one that fits best:</p>
<ul>
<li><a href="/category.php?id=7">Climbing</a> &ndash; <a href="/add.php?category=7">Add URL to this category</a></li>
<li><a href="/category.php?id=8">Hiking</a> &ndash; <a href="/add.php?category=8">Add URL to this category</a></li>
<li><a href="/category.php?id=9">Skiing</a> &ndash; <a href="/add.php?category=9">Add URL to this category</a></li>
</ul>
</body></html>
