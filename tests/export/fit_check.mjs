// node fit_check.mjs FILE.fit: checks a FIT file with the FIT SDK and prints
// {"isFit", "integrity", "errors", "messages"} as JSON; times stay FIT
// seconds, values are scaled (m/s, m, s), enumerations are names.
import { readFileSync } from "node:fs";
import { Decoder, Stream } from "@garmin/fitsdk";

const bytes = readFileSync(process.argv[2]);
const decoder = new Decoder(Stream.fromBuffer(bytes));
const isFit = decoder.isFIT();
const integrity = decoder.checkIntegrity();
const { messages, errors } = decoder.read({ convertDateTimesToDates: false });
process.stdout.write(JSON.stringify({ isFit, integrity, errors: errors.map(String), messages }));
