<!DOCTYPE html>
<html><head><title>Add URL to Climbing</title><meta name="description" content="Add a climbing site"></head>
<body><h2>Add URL to this category</h2>
<form action="/add.php" method="post">
<input type="hidden" name="category" value="7">
<p>Title: <input name="title"></p>
<p>URL: <input name="url" value="http://"></p>
<p>Description: <textarea name="description"></textarea></p>
<p>E-mail: <input name="email"></p>
<p><input type="submit" value="Add URL"></p>
</form></body></html>
