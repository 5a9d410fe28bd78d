# The rooms of src/ and the rooms each may include besides itself: the arrows of the
# map in README.md, pointing down only. A file belongs to the longest room that holds
# its folder; a sub-room (barcode/control) is a room of its own.
set(ROOMS
  base ports graphics graphics/qt metafile tables barcode barcode/control picture picture/widget
  reports controls items labelimage items/windows normalprint app)

set(MAY_INCLUDE_base "")
set(MAY_INCLUDE_ports base)
set(MAY_INCLUDE_graphics base)
set(MAY_INCLUDE_graphics/qt graphics base)
set(MAY_INCLUDE_metafile graphics base)
set(MAY_INCLUDE_tables base)
set(MAY_INCLUDE_barcode graphics base)
set(MAY_INCLUDE_barcode/control barcode graphics/qt graphics base)
set(MAY_INCLUDE_picture base)
set(MAY_INCLUDE_picture/widget picture metafile graphics/qt graphics base)
set(MAY_INCLUDE_reports tables metafile graphics/qt graphics base)
set(MAY_INCLUDE_controls tables picture/widget picture barcode/control barcode graphics/qt graphics base)
set(MAY_INCLUDE_items tables ports base)
set(MAY_INCLUDE_labelimage barcode graphics base)
set(MAY_INCLUDE_items/windows labelimage items controls reports picture/widget picture barcode/control barcode
    metafile graphics/qt graphics tables ports base)
set(MAY_INCLUDE_normalprint items/windows reports barcode/control barcode items controls picture/widget picture metafile
    graphics/qt graphics tables ports base)
set(MAY_INCLUDE_app normalprint items/windows labelimage items controls reports picture/widget picture barcode/control
    barcode metafile graphics/qt graphics tables ports base)

# Rooms of plain C++: no Qt header at all.
set(PLAIN_ROOMS base ports graphics metafile tables barcode picture)
