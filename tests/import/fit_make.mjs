// node fit_make.mjs MESSAGES.json OUT.fit: writes a FIT file with the FIT SDK's
// encoder. MESSAGES.json is {"messages": [{"mesgNum": "RECORD", ...fields}]} with the
// SDK's field names; times (timestamp, startTime, timeCreated) are FIT
// seconds. Developer fields: a DEVELOPER_DATA_ID and FIELD_DESCRIPTION
// message each registers one, under the key of its order (0, 1, ...); a
// message then carries {"developerFields": {"0": value}}.
import { readFileSync, writeFileSync } from "node:fs";
import { Encoder, Profile } from "../export/node_modules/@garmin/fitsdk/src/index.js";

const FitEpochMs = 631065600 * 1000;
const times = new Set(["timestamp", "startTime", "timeCreated"]);

const fileMessages = JSON.parse(readFileSync(process.argv[2], "utf8"));
const encoder = new Encoder();
let developer = null;
let developerKey = 0;
for (const message of fileMessages.messages) {
    const { mesgNum, ...fields } = message;
    for (const key of Object.keys(fields))
        if (times.has(key))
            fields[key] = new Date(FitEpochMs + fields[key] * 1000);
    encoder.onMesg(typeof mesgNum === "number" ? mesgNum : Profile.MesgNum[mesgNum], fields);
    if (mesgNum === "DEVELOPER_DATA_ID")
        developer = fields;
    else if (mesgNum === "FIELD_DESCRIPTION")
        encoder.addDeveloperField(developerKey++, developer, fields);
}
writeFileSync(process.argv[3], encoder.close());
