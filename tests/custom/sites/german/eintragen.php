<!DOCTYPE html>
<html lang="de"><head><meta charset="utf-8"><title>Eintrag hinzufügen</title></head>
<body><h1>Eintrag hinzufügen</h1>
<form action="/eintragen.php" method="post">
<table>
<tr><td>Titel der Webseite:</td><td><input name="titel" maxlength="60"></td></tr>
<tr><td>URL der Webseite:</td><td><input name="adresse" value="http://"></td></tr>
<tr><td>Kurzbeschreibung:</td><td><textarea name="beschreibung"></textarea></td></tr>
<tr><td>Suchbegriffe:</td><td><input name="suchbegriffe"></td></tr>
<tr><td>Vorname:</td><td><input name="vorname"></td></tr>
<tr><td>Nachname:</td><td><input name="nachname"></td></tr>
<tr><td>E-Mail-Adresse:</td><td><input name="email"></td></tr>
<tr><td>Rubrik:</td><td><select name="rubrik"><option>Bitte wählen</option><option>Reisen</option><option>|_ Reisen Hotels</option><option>Handwerk</option></select></td></tr>
<tr><td>Sicherheitscode:</td><td><input name="code"></td></tr>
<tr><td colspan="2"><input type="checkbox" name="agb" value="1"> Ich akzeptiere die Nutzungsbedingungen</td></tr>
</table>
<input type="submit" value="Eintragen">
</form></body></html>
