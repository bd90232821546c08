// The wiring of the 65 mutants: each entry is the reference evaluation with
// one stage replaced by the mutant's own; mutants 17 to 45 reach their date
// check through a copy of the conversion of their own.
#include "dates/stages.hpp"
#include "mutants/mutants.hpp"

namespace vorlak::mutants {

using dates::chkinputsyntax;
using dates::convert;
using dates::convertline;
using dates::daysdiff;
using dates::evaluate;

int m17convertline() { return convert<m17chkdate>(); }
int m18convertline() { return convert<m18chkdate>(); }
int m19convertline() { return convert<m19chkdate>(); }
int m20convertline() { return convert<m20chkdate>(); }
int m21convertline() { return convert<m21chkdate>(); }
int m22convertline() { return convert<m22chkdate>(); }
int m23convertline() { return convert<m23chkdate>(); }
int m24convertline() { return convert<m24chkdate>(); }
int m25convertline() { return convert<m25chkdate>(); }
int m26convertline() { return convert<m26chkdate>(); }
int m27convertline() { return convert<m27chkdate>(); }
int m28convertline() { return convert<m28chkdate>(); }
int m29convertline() { return convert<m29chkdate>(); }
int m30convertline() { return convert<m30chkdate>(); }
int m31convertline() { return convert<m31chkdate>(); }
int m32convertline() { return convert<m32chkdate>(); }
int m33convertline() { return convert<m33chkdate>(); }
int m34convertline() { return convert<m34chkdate>(); }
int m35convertline() { return convert<m35chkdate>(); }
int m36convertline() { return convert<m36chkdate>(); }
int m37convertline() { return convert<m37chkdate>(); }
int m38convertline() { return convert<m38chkdate>(); }
int m39convertline() { return convert<m39chkdate>(); }
int m40convertline() { return convert<m40chkdate>(); }
int m41convertline() { return convert<m41chkdate>(); }
int m42convertline() { return convert<m42chkdate>(); }
int m43convertline() { return convert<m43chkdate>(); }
int m44convertline() { return convert<m44chkdate>(); }
int m45convertline() { return convert<m45chkdate>(); }

int m1(int length) { return evaluate<m1chkinputsyntax, convertline, daysdiff>(length); }
int m2(int length) { return evaluate<m2chkinputsyntax, convertline, daysdiff>(length); }
int m3(int length) { return evaluate<m3chkinputsyntax, convertline, daysdiff>(length); }
int m4(int length) { return evaluate<m4chkinputsyntax, convertline, daysdiff>(length); }
int m5(int length) { return evaluate<m5chkinputsyntax, convertline, daysdiff>(length); }
int m6(int length) { return evaluate<m6chkinputsyntax, convertline, daysdiff>(length); }
int m7(int length) { return evaluate<m7chkinputsyntax, convertline, daysdiff>(length); }
int m8(int length) { return evaluate<m8chkinputsyntax, convertline, daysdiff>(length); }
int m9(int length) { return evaluate<m9chkinputsyntax, convertline, daysdiff>(length); }
int m10(int length) { return evaluate<m10chkinputsyntax, convertline, daysdiff>(length); }
int m11(int length) { return evaluate<m11chkinputsyntax, convertline, daysdiff>(length); }
int m12(int length) { return evaluate<m12chkinputsyntax, convertline, daysdiff>(length); }
int m13(int length) { return evaluate<m13chkinputsyntax, convertline, daysdiff>(length); }
int m14(int length) { return evaluate<m14chkinputsyntax, convertline, daysdiff>(length); }
int m15(int length) { return evaluate<m15chkinputsyntax, convertline, daysdiff>(length); }
int m16(int length) { return evaluate<m16chkinputsyntax, convertline, daysdiff>(length); }
int m17(int length) { return evaluate<chkinputsyntax, m17convertline, daysdiff>(length); }
int m18(int length) { return evaluate<chkinputsyntax, m18convertline, daysdiff>(length); }
int m19(int length) { return evaluate<chkinputsyntax, m19convertline, daysdiff>(length); }
int m20(int length) { return evaluate<chkinputsyntax, m20convertline, daysdiff>(length); }
int m21(int length) { return evaluate<chkinputsyntax, m21convertline, daysdiff>(length); }
int m22(int length) { return evaluate<chkinputsyntax, m22convertline, daysdiff>(length); }
int m23(int length) { return evaluate<chkinputsyntax, m23convertline, daysdiff>(length); }
int m24(int length) { return evaluate<chkinputsyntax, m24convertline, daysdiff>(length); }
int m25(int length) { return evaluate<chkinputsyntax, m25convertline, daysdiff>(length); }
int m26(int length) { return evaluate<chkinputsyntax, m26convertline, daysdiff>(length); }
int m27(int length) { return evaluate<chkinputsyntax, m27convertline, daysdiff>(length); }
int m28(int length) { return evaluate<chkinputsyntax, m28convertline, daysdiff>(length); }
int m29(int length) { return evaluate<chkinputsyntax, m29convertline, daysdiff>(length); }
int m30(int length) { return evaluate<chkinputsyntax, m30convertline, daysdiff>(length); }
int m31(int length) { return evaluate<chkinputsyntax, m31convertline, daysdiff>(length); }
int m32(int length) { return evaluate<chkinputsyntax, m32convertline, daysdiff>(length); }
int m33(int length) { return evaluate<chkinputsyntax, m33convertline, daysdiff>(length); }
int m34(int length) { return evaluate<chkinputsyntax, m34convertline, daysdiff>(length); }
int m35(int length) { return evaluate<chkinputsyntax, m35convertline, daysdiff>(length); }
int m36(int length) { return evaluate<chkinputsyntax, m36convertline, daysdiff>(length); }
int m37(int length) { return evaluate<chkinputsyntax, m37convertline, daysdiff>(length); }
int m38(int length) { return evaluate<chkinputsyntax, m38convertline, daysdiff>(length); }
int m39(int length) { return evaluate<chkinputsyntax, m39convertline, daysdiff>(length); }
int m40(int length) { return evaluate<chkinputsyntax, m40convertline, daysdiff>(length); }
int m41(int length) { return evaluate<chkinputsyntax, m41convertline, daysdiff>(length); }
int m42(int length) { return evaluate<chkinputsyntax, m42convertline, daysdiff>(length); }
int m43(int length) { return evaluate<chkinputsyntax, m43convertline, daysdiff>(length); }
int m44(int length) { return evaluate<chkinputsyntax, m44convertline, daysdiff>(length); }
int m45(int length) { return evaluate<chkinputsyntax, m45convertline, daysdiff>(length); }
int m46(int length) { return evaluate<chkinputsyntax, convertline, m46daysdiff>(length); }
int m47(int length) { return evaluate<chkinputsyntax, convertline, m47daysdiff>(length); }
int m48(int length) { return evaluate<chkinputsyntax, convertline, m48daysdiff>(length); }
int m49(int length) { return evaluate<chkinputsyntax, convertline, m49daysdiff>(length); }
int m50(int length) { return evaluate<chkinputsyntax, convertline, m50daysdiff>(length); }
int m51(int length) { return evaluate<chkinputsyntax, convertline, m51daysdiff>(length); }
int m52(int length) { return evaluate<chkinputsyntax, convertline, m52daysdiff>(length); }
int m53(int length) { return evaluate<chkinputsyntax, convertline, m53daysdiff>(length); }
int m54(int length) { return evaluate<chkinputsyntax, convertline, m54daysdiff>(length); }
int m55(int length) { return evaluate<chkinputsyntax, convertline, m55daysdiff>(length); }
int m56(int length) { return evaluate<chkinputsyntax, convertline, m56daysdiff>(length); }
int m57(int length) { return evaluate<chkinputsyntax, convertline, m57daysdiff>(length); }
int m58(int length) { return evaluate<chkinputsyntax, convertline, m58daysdiff>(length); }
int m59(int length) { return evaluate<chkinputsyntax, convertline, m59daysdiff>(length); }
int m60(int length) { return evaluate<chkinputsyntax, convertline, m60daysdiff>(length); }
int m61(int length) { return evaluate<chkinputsyntax, convertline, m61daysdiff>(length); }
int m62(int length) { return evaluate<chkinputsyntax, convertline, m62daysdiff>(length); }
int m63(int length) { return evaluate<chkinputsyntax, convertline, m63daysdiff>(length); }
int m64(int length) { return evaluate<chkinputsyntax, convertline, m64daysdiff>(length); }
int m65(int length) { return evaluate<chkinputsyntax, convertline, m65daysdiff>(length); }

}  // namespace vorlak::mutants
