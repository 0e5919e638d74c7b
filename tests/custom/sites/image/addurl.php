<!DOCTYPE html>
<html><head><title>Add URL</title></head>
<body><h2>Add your link</h2>
<form method="post" action="addurl.php">
<div>Link title:<br><input type="text" name="link_title" maxlength="80"></div>
<div>Link URL:<br><input type="text" name="link_url"></div>
<div>Description:<br><textarea name="link_description"></textarea></div>
<div>Keywords:<br><input type="text" name="link_keywords"></div>
<div>Your e-mail:<br><input type="text" name="link_email"></div>
<div>Where is the link back to us?<br><input type="text" name="link_back"></div>
<div><input type="checkbox" name="terms" value="yes"> I have read and accept the terms of submission</div>
<input type="submit" value="Add link">
</form></body></html>
