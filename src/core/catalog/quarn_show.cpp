// The Quarn page's show rules.
#include "core/catalog/show.h"

namespace Catalogue {

void ShowQuarnRules(CalImageBytes &, uint8_t) {}

}  // namespace Catalogue
