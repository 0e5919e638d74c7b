<!DOCTYPE html>
<html><head><title>Submit Link - Widget Web Directory</title></head><body>
<ul id="nav"><li><a href="/">Home</a></li><li><a href="/submit.php">Submit Link</a></li></ul>
<h2>Submit Link</h2>
<table border="0" class="formPage">
<form method="post" action="/submit.php">
  <tr><td class="label">Pricing:</td><td class="field">
    <input type="radio" name="LINK_TYPE" value="featured">Featured, $20
    <input type="radio" name="LINK_TYPE" value="normal" checked>Regular, free</td></tr>
  <tr><td class="label"><span class="req">*</span>Title:</td><td class="field"><input type="text" name="TITLE" value="" size="40" maxlength="100"></td></tr>
  <tr><td class="label"><span class="req">*</span>URL:</td><td class="field"><input type="text" name="URL" value="http://" size="40" maxlength="255"></td></tr>
  <tr><td class="label">Description:</td><td class="field"><textarea name="DESCRIPTION" rows="3" cols="37"></textarea></td></tr>
  <tr><td class="label"><span class="req">*</span>Your Name:</td><td class="field"><input type="text" name="OWNER_NAME" value="" size="40"></td></tr>
  <tr><td class="label"><span class="req">*</span>Your Email:</td><td class="field"><input type="text" name="OWNER_EMAIL" value="" size="40"></td></tr>
  <tr><td class="label">Reciprocal Link URL:</td><td class="field"><input type="text" name="RECPR_URL" value="" size="40"></td></tr>
  <tr><td class="label">Category:</td><td class="field"><select name="CATEGORY_ID">
    <option value="0">[Top]</option><option value="1">Arts</option><option value="2">|_ Arts Painting</option>
    <option value="3">Business</option><option value="4">|_ Business Consulting</option></select></td></tr>
  <tr><td class="label">Enter the code shown:</td><td class="field"><img src="/captcha.php" alt="code"><br><input type="text" name="CAPTCHA" value="" size="10"></td></tr>
  <tr><td colspan="2"><input type="checkbox" name="AGREERULES" value="on"> I agree with the submission rules</td></tr>
  <tr><td colspan="2"><input type="hidden" name="submit_token" value="a1b2"><input type="submit" name="continue" value="Continue"></td></tr>
</form>
</table>
</body></html>
