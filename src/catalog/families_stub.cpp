#include "catalog/fielddefs.h"
namespace Catalogue {
FieldDefs QuarnFields() { return {}; }
FieldDefs DorsellFields(uint8_t) { return {}; }
FieldDefs BrennicFields() { return {}; }
FieldDefs CsCanFields() { return {}; }
}
