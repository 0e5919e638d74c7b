// Shows what the form sent, read from the address (the demo forms use GET, so
// that they work from files on disk). textContent keeps the values as text.
document.addEventListener('DOMContentLoaded', function () {
  var params = new URLSearchParams(window.location.search);
  var list = document.getElementById('received');
  if (!list)
    return;
  params.forEach(function (value, name) {
    if (value === '' || name === 'submit')
      return;
    var row = document.createElement('li');
    var label = document.createElement('b');
    label.textContent = name + ': ';
    row.appendChild(label);
    row.appendChild(document.createTextNode(value));
    list.appendChild(row);
  });
});
