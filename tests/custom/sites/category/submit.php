<!DOCTYPE html>
<html><head><title>Submit a site - Music Links Directory</title></head>
<body><h1>Submit a site</h1>
<form action="/submit.php" method="post" id="submitform">
<input type="hidden" name="c" value="12">
<label for="title">Title</label> <input id="title" name="title"><br>
<label for="url">URL</label> <input id="url" name="url"><br>
<label for="desc">Description</label> <textarea id="desc" name="desc"></textarea><br>
<label for="email">Email</label> <input id="email" name="email"><br>
<input type="submit" value="Submit">
</form></body></html>
