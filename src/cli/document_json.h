#pragma once

#include "cli/json_writer.h"
#include "core/document.h"

namespace quarvel {

// The document as `quarvel-cli info --json` prints it. The member names are an interface for
// scripts: add members, never rename them.
void writeDocumentJson(JsonWriter &json, const Document &document, const QString &formatName);

} // namespace quarvel
