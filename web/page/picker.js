// The gallery's picker: a link for the shipped files, each example and the
// server's live folder (if it has one), each to the address that names it;
// the chosen one marked, and the line above the editor saying what it is.
import { describeSource } from './notices.js';
import { hashOf, Live, Shipped } from './sources.js';

let entries = [], list = null, liveFolder = null;

export function createPicker(gallery, linkList) {
  list = linkList;
  liveFolder = gallery.live;
  entries = [{ source: Shipped, title: 'Shipped', caption: 'The files Glitter ships with.' },
             ...gallery.examples.map(({ name, title, caption }) => ({ source: name, title, caption }))];
  if (liveFolder)
    entries.push({ source: Live, title: 'Live', caption: `The files in ${liveFolder} on the server, as they are saved.` });
  for (const { source, title, caption } of entries) {
    const link = Object.assign(document.createElement('a'), { href: hashOf(source), textContent: title, title: caption });
    link.dataset.source = source;
    list.append(link);
  }
}

// Marks source as the one followed, and says what it is.
export function showPicked(source) {
  for (const link of list.children) link.toggleAttribute('aria-current', link.dataset.source === source);
  const { title, caption } = entries.find((entry) => entry.source === source);
  describeSource(source === Live
    ? `Following ${liveFolder} on the server: save a file there in any editor and it shows here. ` +
      'To edit in the page, pick Shipped or an example.'
    : `${title}: ${caption}`);
}
