#include "metafile/emfrecords.h"

#include <array>

namespace platform {
namespace {

constexpr auto RecordNames = [] {
  std::array<const char*, 123> names{};
  names[1] = "EMR_HEADER";
  names[2] = "EMR_POLYBEZIER";
  names[3] = "EMR_POLYGON";
  names[4] = "EMR_POLYLINE";
  names[5] = "EMR_POLYBEZIERTO";
  names[6] = "EMR_POLYLINETO";
  names[7] = "EMR_POLYPOLYLINE";
  names[8] = "EMR_POLYPOLYGON";
  names[9] = "EMR_SETWINDOWEXTEX";
  names[10] = "EMR_SETWINDOWORGEX";
  names[11] = "EMR_SETVIEWPORTEXTEX";
  names[12] = "EMR_SETVIEWPORTORGEX";
  names[13] = "EMR_SETBRUSHORGEX";
  names[14] = "EMR_EOF";
  names[15] = "EMR_SETPIXELV";
  names[16] = "EMR_SETMAPPERFLAGS";
  names[17] = "EMR_SETMAPMODE";
  names[18] = "EMR_SETBKMODE";
  names[19] = "EMR_SETPOLYFILLMODE";
  names[20] = "EMR_SETROP2";
  names[21] = "EMR_SETSTRETCHBLTMODE";
  names[22] = "EMR_SETTEXTALIGN";
  names[23] = "EMR_SETCOLORADJUSTMENT";
  names[24] = "EMR_SETTEXTCOLOR";
  names[25] = "EMR_SETBKCOLOR";
  names[26] = "EMR_OFFSETCLIPRGN";
  names[27] = "EMR_MOVETOEX";
  names[28] = "EMR_SETMETARGN";
  names[29] = "EMR_EXCLUDECLIPRECT";
  names[30] = "EMR_INTERSECTCLIPRECT";
  names[31] = "EMR_SCALEVIEWPORTEXTEX";
  names[32] = "EMR_SCALEWINDOWEXTEX";
  names[33] = "EMR_SAVEDC";
  names[34] = "EMR_RESTOREDC";
  names[35] = "EMR_SETWORLDTRANSFORM";
  names[36] = "EMR_MODIFYWORLDTRANSFORM";
  names[37] = "EMR_SELECTOBJECT";
  names[38] = "EMR_CREATEPEN";
  names[39] = "EMR_CREATEBRUSHINDIRECT";
  names[40] = "EMR_DELETEOBJECT";
  names[41] = "EMR_ANGLEARC";
  names[42] = "EMR_ELLIPSE";
  names[43] = "EMR_RECTANGLE";
  names[44] = "EMR_ROUNDRECT";
  names[45] = "EMR_ARC";
  names[46] = "EMR_CHORD";
  names[47] = "EMR_PIE";
  names[48] = "EMR_SELECTPALETTE";
  names[49] = "EMR_CREATEPALETTE";
  names[50] = "EMR_SETPALETTEENTRIES";
  names[51] = "EMR_RESIZEPALETTE";
  names[52] = "EMR_REALIZEPALETTE";
  names[53] = "EMR_EXTFLOODFILL";
  names[54] = "EMR_LINETO";
  names[55] = "EMR_ARCTO";
  names[56] = "EMR_POLYDRAW";
  names[57] = "EMR_SETARCDIRECTION";
  names[58] = "EMR_SETMITERLIMIT";
  names[59] = "EMR_BEGINPATH";
  names[60] = "EMR_ENDPATH";
  names[61] = "EMR_CLOSEFIGURE";
  names[62] = "EMR_FILLPATH";
  names[63] = "EMR_STROKEANDFILLPATH";
  names[64] = "EMR_STROKEPATH";
  names[65] = "EMR_FLATTENPATH";
  names[66] = "EMR_WIDENPATH";
  names[67] = "EMR_SELECTCLIPPATH";
  names[68] = "EMR_ABORTPATH";
  names[70] = "EMR_COMMENT";
  names[71] = "EMR_FILLRGN";
  names[72] = "EMR_FRAMERGN";
  names[73] = "EMR_INVERTRGN";
  names[74] = "EMR_PAINTRGN";
  names[75] = "EMR_EXTSELECTCLIPRGN";
  names[76] = "EMR_BITBLT";
  names[77] = "EMR_STRETCHBLT";
  names[78] = "EMR_MASKBLT";
  names[79] = "EMR_PLGBLT";
  names[80] = "EMR_SETDIBITSTODEVICE";
  names[81] = "EMR_STRETCHDIBITS";
  names[82] = "EMR_EXTCREATEFONTINDIRECTW";
  names[83] = "EMR_EXTTEXTOUTA";
  names[84] = "EMR_EXTTEXTOUTW";
  names[85] = "EMR_POLYBEZIER16";
  names[86] = "EMR_POLYGON16";
  names[87] = "EMR_POLYLINE16";
  names[88] = "EMR_POLYBEZIERTO16";
  names[89] = "EMR_POLYLINETO16";
  names[90] = "EMR_POLYPOLYLINE16";
  names[91] = "EMR_POLYPOLYGON16";
  names[92] = "EMR_POLYDRAW16";
  names[93] = "EMR_CREATEMONOBRUSH";
  names[94] = "EMR_CREATEDIBPATTERNBRUSHPT";
  names[95] = "EMR_EXTCREATEPEN";
  names[96] = "EMR_POLYTEXTOUTA";
  names[97] = "EMR_POLYTEXTOUTW";
  names[98] = "EMR_SETICMMODE";
  names[99] = "EMR_CREATECOLORSPACE";
  names[100] = "EMR_SETCOLORSPACE";
  names[101] = "EMR_DELETECOLORSPACE";
  names[102] = "EMR_GLSRECORD";
  names[103] = "EMR_GLSBOUNDEDRECORD";
  names[104] = "EMR_PIXELFORMAT";
  names[105] = "EMR_DRAWESCAPE";
  names[106] = "EMR_EXTESCAPE";
  names[108] = "EMR_SMALLTEXTOUT";
  names[109] = "EMR_FORCEUFIMAPPING";
  names[110] = "EMR_NAMEDESCAPE";
  names[111] = "EMR_COLORCORRECTPALETTE";
  names[112] = "EMR_SETICMPROFILEA";
  names[113] = "EMR_SETICMPROFILEW";
  names[114] = "EMR_ALPHABLEND";
  names[115] = "EMR_SETLAYOUT";
  names[116] = "EMR_TRANSPARENTBLT";
  names[118] = "EMR_GRADIENTFILL";
  names[119] = "EMR_SETLINKEDUFIS";
  names[120] = "EMR_SETTEXTJUSTIFICATION";
  names[121] = "EMR_COLORMATCHTOTARGETW";
  names[122] = "EMR_CREATECOLORSPACEW";
  return names;
}();

}  // namespace

const char* EmfRecordName(uint32_t type) {
  if (type < RecordNames.size() && RecordNames[type]) return RecordNames[type];
  return "unknown record type";
}

}  // namespace platform
