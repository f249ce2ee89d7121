#include "control_font.h"

HFONT CreateControlFont()
{
    LOGFONTW lf = {};
    lf.lfHeight = 12; // positive: matched against the character cell
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lf.lfPitchAndFamily = FF_SWISS | DEFAULT_PITCH;
    lstrcpyW(lf.lfFaceName, L"MS UI Gothic");
    return CreateFontIndirectW(&lf);
}
