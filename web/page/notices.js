// What the page says to the user outside the program's own picture: a line
// under the picture, a message box when the program ends, a line over the
// picture for the workspace's news (an edit held back, the graphics reset)
// with the one action it offers, and a line above the editor.
const element = (id) => document.getElementById(id);

// The line under the picture.
export function say(text) {
  element('status').textContent = text;
}

// The box that tells why the program ended: kind 'fatal' or 'stopped'.
export function showEnd(kind, title, text) {
  const message = element('message');
  message.className = kind;
  element('message-title').textContent = title;
  element('message-text').textContent = text;
  message.hidden = false;
}

// A line over the picture, with a button that runs action when actionText
// is given; hideNotice takes it away.
export function showNotice(text, actionText = '', action = null) {
  element('notice-text').textContent = text;
  const button = element('notice-action');
  button.hidden = !action;
  button.textContent = actionText;
  button.onclick = action;
  element('notice').hidden = false;
}

export function hideNotice() {
  element('notice').hidden = true;
}

// The line above the editor: what the source is, or what went wrong keeping
// the user's work (warn), which stays until the next line is set.
export function describeSource(text) {
  const line = element('source');
  line.textContent = text;
  line.classList.remove('warning');
}

export function warnAboveEditor(text) {
  const line = element('source');
  line.textContent = text;
  line.classList.add('warning');
}
