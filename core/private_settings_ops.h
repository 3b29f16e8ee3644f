// The three operations the framework's DevMode requests come down to.
//
// Every operation stays inside the 1552 bytes of the record(s) it is given,
// whatever a dwSize field claims: records arrive from other versions, from
// stored documents and from applications, and their headers are not trusted.
#pragma once

#include "core/model_setting_table.h"
#include "core/private_settings.h"

namespace kvt {

// Writes the header and the default of every field. Reserved bytes,
// byNWRatio, byParam11 and byParam12 keep whatever the buffer held. A null
// record is ignored.
void Defaults(PrivateSettings* settings);

// Brings |in| into |out|. When |in| carries the signature that |out| already
// holds, the smaller of the two dwSize values (never more than 1552) is
// copied and the header is then set to this version; the bytes of |out|
// beyond the copied length keep what they held. Any other signature gives
// the defaults. The input's version is not looked at. |in| and |out| may be
// the same record. False only when either pointer is null.
bool Convert(const PrivateSettings* in, PrivateSettings* out);

// Sets the header, then checks every field against its range and the
// printer model's allowed values, correcting what is out of range. The model
// is chosen by the driver name of |printer| (through the spooler port); a
// null handle or an unreadable name takes the first model entry. True when
// nothing was corrected; false when something was, or |settings| is null.
bool Merge(PrivateSettings* settings, void* printer);

// As above, with the model lists taken from |table|.
bool Merge(PrivateSettings* settings, void* printer, const ModelSettingTable& table);

}  // namespace kvt
