<?php
// The password of your reciprocal link script: at least 12 characters. Enter
// the same password in the reciprocal settings of your Vantelo profile. In
// place of the password this line may hold its hash, made with
//     php -r 'echo password_hash($argv[1], PASSWORD_DEFAULT), "\n";' 'your password'
// so that the password itself is not kept on the server. Keep this one line
// as it is: $password = '...';
$password = 'change-me';
