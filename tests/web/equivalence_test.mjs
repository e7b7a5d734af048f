// The Node trace tool against the native one: the same scripts, the same seeds, and the
// output must match byte for byte: standard output, standard error, exit status and every
// file written.
//
//   node equivalence_test.mjs NODE_TRACE_TOOL NATIVE_TRACE_TOOL SCRIPTS_DIR
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readdirSync, readFileSync, rmSync, statSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, relative, resolve } from 'node:path';

const [nodeTool, nativeTool, scriptsDir] = process.argv.slice(2).map((path) => resolve(path));

function filesUnder(dir) {
  return readdirSync(dir, { recursive: true })
    .map((name) => join(dir, name))
    .filter((path) => statSync(path).isFile())
    .map((path) => relative(dir, path))
    .sort();
}

// Runs one tool in a fresh folder, where the script's frames land.
function run(command, args, input) {
  const dir = mkdtempSync(join(tmpdir(), 'animatsiya-trace-'));
  const result = spawnSync(command, args, {
    cwd: dir, input, maxBuffer: 1 << 30, env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' },
  });
  if (result.error) throw result.error;
  const files = Object.fromEntries(filesUnder(dir).map((name) => [name, readFileSync(join(dir, name))]));
  rmSync(dir, { recursive: true, force: true });
  return { status: result.status, stdout: result.stdout, stderr: result.stderr.toString(), files };
}

function assertSame(args, input) {
  const native = run(nativeTool, args, input);
  const web = run(process.execPath, [nodeTool, ...args], input);
  assert.equal(web.status, native.status, `exit status (${web.stderr})`);
  assert.equal(web.stderr, native.stderr);
  assert.ok(web.stdout.equals(native.stdout),
            `standard output differs (${web.stdout.length} bytes against ${native.stdout.length})`);
  assert.deepEqual(Object.keys(web.files), Object.keys(native.files));
  for (const [name, bytes] of Object.entries(native.files)) {
    assert.ok(web.files[name].equals(bytes), `${name} differs`);
  }
  return native;
}

for (const name of readdirSync(scriptsDir).filter((n) => n.endsWith('.trace')).sort()) {
  test(name, () => {
    const script = readFileSync(join(scriptsDir, name));
    const seed = /^# seed (\d+)/.exec(script.toString())[1];
    const native = assertSame(['--seed', seed], script);
    assert.equal(native.status, name.startsWith('bad') ? 2 : 0);
    assert.ok(native.stdout.length > 0);
  });
}

test('bad options', () => {
  for (const args of [['--seed', 'x'], ['--seed'], ['--speed', '1']]) {
    assert.equal(assertSame(args, '').status, 2);
  }
});
