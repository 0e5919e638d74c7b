<!DOCTYPE html>
<html><head><title>Not the submission page</title></head><body>
<form action="/post" method="post">
<p><label for="t">Title</label><input id="t" name="title"></p>
<p><label for="u">Website URL</label><input id="u" name="url"></p>
<p><label for="d">Description</label><textarea id="d" name="description"></textarea></p>
<p><label for="e">Email</label><input id="e" name="email"></p>
<input type="submit" value="Submit"></form></body></html>
