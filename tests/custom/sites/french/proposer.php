<!DOCTYPE html>
<html lang="fr"><head><meta charset="utf-8"><title>Proposer un site</title></head>
<body><h1>Proposer un site</h1>
<form action="/proposer.php" method="post">
<p><label for="f1">Titre du site</label><input id="f1" name="f1"></p>
<p><label for="f2">Adresse du site</label><input id="f2" name="f2"></p>
<p><label for="f3">Description</label><textarea id="f3" name="f3"></textarea></p>
<p><label for="f4">Mots clés</label><input id="f4" name="f4"></p>
<p><label for="f5">Votre nom</label><input id="f5"></p>
<p><label for="f6">Votre adresse e-mail</label><input id="f6" name="f6"></p>
<p><label for="f7">Catégorie</label><select id="f7" name="f7"><option>Choisir</option><option>Tourisme</option><option>|_ Tourisme Hôtels</option></select></p>
<p><input type="checkbox" id="f8" name="f8"><label for="f8">J'accepte le règlement de l'annuaire</label></p>
<p><input type="submit" value="Envoyer"></p>
</form></body></html>
