<!DOCTYPE html>
<html><head><title>Login</title></head><body><form action="/login.php" method="post"><label>User <input name="user"></label><label>Password <input type="password" name="pass"></label><button>Login</button></form></body></html>
