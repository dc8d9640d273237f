// Saves the four files as they are now in one zip, to unpack into the
// folder a desktop Glitter runs from.

// CRC-32 (the zip format's checksum) of bytes.
const crcTable = Array.from({ length: 256 }, (_, n) => {
  for (let bit = 0; bit < 8; bit++) n = n & 1 ? 0xedb88320 ^ (n >>> 1) : n >>> 1;
  return n >>> 0;
});
function crc32(bytes) {
  let crc = 0xffffffff;
  for (const byte of bytes) crc = crcTable[(crc ^ byte) & 0xff] ^ (crc >>> 8);
  return (crc ^ 0xffffffff) >>> 0;
}

// A zip of files ({ name: text or bytes }), stored as they are (shaders and
// a small sprite gain little from compression), dated now.
export function zip(files) {
  const encoder = new TextEncoder();
  const now = new Date();
  const time = (now.getHours() << 11) | (now.getMinutes() << 5) | (now.getSeconds() >> 1);
  const date = ((now.getFullYear() - 1980) << 9) | ((now.getMonth() + 1) << 5) | now.getDate();
  const parts = [], directory = [];
  let offset = 0;
  // One header of the given size with 16- and 32-bit little-endian fields.
  const header = (size, fields) => {
    const view = new DataView(new ArrayBuffer(size));
    for (const [at, bits, value] of fields)
      bits === 16 ? view.setUint16(at, value, true) : view.setUint32(at, value, true);
    return new Uint8Array(view.buffer);
  };
  for (const [name, contents] of Object.entries(files)) {
    const data = typeof contents === 'string' ? encoder.encode(contents) : contents;
    const path = encoder.encode(name);
    // The fields a file's local and central headers share, at local offsets.
    const common = [[10, 16, time], [12, 16, date], [14, 32, crc32(data)], [18, 32, data.length],
                    [22, 32, data.length], [26, 16, path.length]];
    const local = header(30, [[0, 32, 0x04034b50], [4, 16, 20], ...common]);
    const central = header(46, [[0, 32, 0x02014b50], [4, 16, 20], [6, 16, 20],
                                ...common.map(([at, bits, value]) => [at + 2, bits, value]), [42, 32, offset]]);
    parts.push(local, path, data);
    directory.push(central, path);
    offset += local.length + path.length + data.length;
  }
  const directorySize = directory.reduce((sum, part) => sum + part.length, 0);
  const count = Object.keys(files).length;
  const end = header(22, [[0, 32, 0x06054b50], [8, 16, count], [10, 16, count], [12, 32, directorySize],
                          [16, 32, offset]]);
  return new Blob([...parts, ...directory, end], { type: 'application/zip' });
}

// Offers files to the user as one zip named fileName.
export function download(fileName, files) {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(zip(files));
  link.download = fileName;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 1000);
}
