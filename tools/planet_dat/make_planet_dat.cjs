'use strict';
// Writes Planet.dat, the Saturn series file that Orvex reads at its first
// request for Saturn: the VSOP87 version D series of Saturn (heliocentric
// spherical variables, ecliptic and equinox of date), each of the 18 blocks
// truncated to its first N terms in the published order.
//
// Layout: the blocks L0..L5, B0..B5, R0..R5 one after the other, each term
// as three little-endian IEEE 754 doubles A, B, C (amplitude, phase,
// frequency per Julian millennium); no header, no padding. 86,904 bytes.
//
// Usage: node make_planet_dat.cjs [output path] [--full fixture path]
//   output path    default ./Planet.dat
//   --full         also writes the complete, untruncated series for the
//                  tests: 18 little-endian 32-bit term counts (L0..L5,
//                  B0..B5, R0..R5), then the terms in the layout above.
// The series come from the npm package astronomia 4.2.0 (MIT licence);
// `npm install` in this folder fetches it.

const fs = require('fs');
const path = require('path');
const crypto = require('crypto');

// Term counts per block; the program's reader holds the same numbers.
const TERMS = {
  L: [500, 350, 321, 148, 68, 27],
  B: [300, 260, 111, 58, 26, 11],
  R: [500, 350, 342, 157, 64, 28],
};
const EXPECTED_SIZE = 86904;
const EXPECTED_SHA256 = '41fa8e67552d382ce8b88baa66e6211876fb40fe33dca110f647f57be3b87925';
const EXPECTED_HEAD = 'b8d0793eebf7eb3f' + '00'.repeat(16);

function loadSeries() {
  // The package's export map hides its data folder: resolve the file by path.
  const file = path.join(__dirname, 'node_modules', 'astronomia', 'lib', 'data',
                         'vsop87Dsaturn.cjs');
  const mod = require(file);
  const series = mod.default || mod.saturn || mod;
  if (!series.L || !series.B || !series.R) {
    throw new Error('unexpected layout of ' + file);
  }
  return series;
}

function build(series) {
  const chunks = [];
  for (const variable of ['L', 'B', 'R']) {
    TERMS[variable].forEach((n, k) => {
      const terms = series[variable][String(k)];
      if (!Array.isArray(terms) || terms.length < n) {
        throw new Error(`block ${variable}${k} holds ${terms ? terms.length : 0} terms, ${n} needed`);
      }
      const buf = Buffer.alloc(n * 24);
      for (let j = 0; j < n; j++) {
        const [a, b, c] = terms[j];
        for (const [i, v] of [a, b, c].entries()) {
          if (typeof v !== 'number' || !Number.isFinite(v)) {
            throw new Error(`block ${variable}${k} term ${j}: not a finite number`);
          }
          buf.writeDoubleLE(v, j * 24 + i * 8);
        }
      }
      chunks.push(buf);
    });
  }
  return Buffer.concat(chunks);
}

function buildFull(series) {
  const counts = [];
  const chunks = [];
  for (const variable of ['L', 'B', 'R']) {
    for (let k = 0; k < 6; k++) {
      const terms = series[variable][String(k)] || [];
      counts.push(terms.length);
      const buf = Buffer.alloc(terms.length * 24);
      terms.forEach((term, j) => {
        term.forEach((v, i) => {
          if (!Number.isFinite(v)) throw new Error(`block ${variable}${k} term ${j}: not finite`);
          buf.writeDoubleLE(v, j * 24 + i * 8);
        });
      });
      chunks.push(buf);
    }
  }
  const head = Buffer.alloc(4 * counts.length);
  counts.forEach((n, i) => head.writeUInt32LE(n, 4 * i));
  return Buffer.concat([head, ...chunks]);
}

function writeAtomically(out, data) {
  fs.mkdirSync(path.dirname(out), { recursive: true });
  const tmp = out + '.tmp';
  fs.writeFileSync(tmp, data);
  fs.renameSync(tmp, out);
}

function main() {
  const args = process.argv.slice(2);
  let fullOut = null;
  const fullAt = args.indexOf('--full');
  if (fullAt >= 0) {
    fullOut = path.resolve(args[fullAt + 1]);
    args.splice(fullAt, 2);
  }
  const out = path.resolve(args[0] || 'Planet.dat');
  const series = loadSeries();
  const data = build(series);
  const sha = crypto.createHash('sha256').update(data).digest('hex');
  const head = data.subarray(0, 24).toString('hex');
  let ok = true;
  if (data.length !== EXPECTED_SIZE) {
    console.error(`size ${data.length}, expected ${EXPECTED_SIZE}`);
    ok = false;
  }
  if (head !== EXPECTED_HEAD) {
    console.error(`first 24 bytes ${head}, expected ${EXPECTED_HEAD}`);
    ok = false;
  }
  if (sha !== EXPECTED_SHA256) {
    console.error(`SHA-256 ${sha}, expected ${EXPECTED_SHA256}`);
    ok = false;
  }
  if (!ok) {
    console.error('Planet.dat not written');
    process.exit(1);
  }
  writeAtomically(out, data);
  console.log(`${out}: ${data.length} bytes, SHA-256 ${sha}`);
  if (fullOut) {
    const full = buildFull(series);
    writeAtomically(fullOut, full);
    console.log(`${fullOut}: ${full.length} bytes (complete series)`);
  }
}

main();
