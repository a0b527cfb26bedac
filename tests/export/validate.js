// Runs the Khronos glTF Validator on each file named on the command line and
// prints its counts. Exits 1 when any file has an error or a warning, so the
// test fails on either.
'use strict';
const fs = require('fs');
const path = require('path');
const validator = require('gltf-validator');

async function validate(file) {
    const report = await validator.validateBytes(new Uint8Array(fs.readFileSync(file)), {
        uri: path.basename(file),
        maxIssues: 20,
        // Everything an export writes is inside the file; a reference to
        // anything else is a fault.
        externalResourceFunction: (uri) => Promise.reject(new Error('external resource ' + uri)),
    });
    const issues = report.issues;
    console.log(`${file}: ${issues.numErrors} errors, ${issues.numWarnings} warnings, ` +
                `${issues.numInfos} infos, ${issues.numHints} hints`);
    for (const message of issues.messages)
        if (message.severity <= 1)
            console.log(`  ${message.code} ${message.pointer || ''}: ${message.message}`);
    return issues.numErrors === 0 && issues.numWarnings === 0;
}

(async () => {
    let clean = true;
    for (const file of process.argv.slice(2))
        clean = (await validate(file)) && clean;
    process.exit(clean ? 0 : 1);
})().catch((error) => {
    console.error(error);
    process.exit(1);
});
