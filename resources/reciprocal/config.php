<?php
// The password of your reciprocal link script. Enter the same password in the
// reciprocal settings of your Vantelo profile. Requests without it are refused.
$password = 'change-me';
