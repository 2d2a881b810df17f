#include "ui/editorhost.h"

#include "core/calimage.h"
#include "core/catalog/edits.h"

bool EditorHost::EditField(int offset, const QByteArray &bytes)
{
    if (!Catalogue::EditField(CalImage, ProductCode, offset, bytes)) return false;
    ImageToControls(false);
    return true;
}

bool EditorHost::EditByte(int offset, int byte) { return EditField(offset, QByteArray(1, char(uint8_t(byte)))); }

bool EditorHost::EditFields(const CalImageBytes &target)
{
    if (!Catalogue::EditFields(CalImage, ProductCode, target)) return false;
    ImageToControls(false);
    return true;
}
