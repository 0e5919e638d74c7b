<!DOCTYPE html>
<html><head><title>Add your link - Techlinks</title></head>
<body><h2>Add your link</h2>
<form action="/links/add.php" method="post">
<fieldset><legend>Your site</legend>
<label>Anchor text <input name="anchor" maxlength="50"></label><br>
<label>Link URL <input name="target"></label><br>
<label>Site description <textarea name="blurb"></textarea></label><br>
<label>Tags <input name="tags"></label>
</fieldset>
<fieldset><legend>You</legend>
<label>Full name <input name="fullname"></label><br>
<label>E-mail address <input name="email" type="email"></label><br>
<label>Choose a user name <input name="login"></label><br>
<label>Choose a password <input name="secret" type="password"></label><br>
<label>Confirm password <input name="secret2" type="password"></label>
</fieldset>
<div style="display:none"><input name="homepage"></div>
<p><label><input type="checkbox" name="featured" value="1"> Make it a featured listing ($9.95)</label></p>
<button type="submit">Add link</button>
</form></body></html>
