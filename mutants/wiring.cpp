// The wiring of the 65 mutants: each entry is the reference evaluation with
// one stage replaced by the mutant's own; mutants 17 to 45 reach their date
// check through a copy of the conversion of their own.
#include "mutants/wiring.hpp"

namespace vorlak::mutants {

using dates::chkinputsyntax;
using dates::convert;
using dates::convertline;
using dates::daysdiff;
using dates::evaluate;
using dates::fast::dayresult;
using dates::fast::strtoint;

int m17convertline() { return convert<m17chkdate, strtoint>(); }
int m18convertline() { return convert<m18chkdate, strtoint>(); }
int m19convertline() { return convert<m19chkdate, strtoint>(); }
int m20convertline() { return convert<m20chkdate, strtoint>(); }
int m21convertline() { return convert<m21chkdate, strtoint>(); }
int m22convertline() { return convert<m22chkdate, strtoint>(); }
int m23convertline() { return convert<m23chkdate, strtoint>(); }
int m24convertline() { return convert<m24chkdate, strtoint>(); }
int m25convertline() { return convert<m25chkdate, strtoint>(); }
int m26convertline() { return convert<m26chkdate, strtoint>(); }
int m27convertline() { return convert<m27chkdate, strtoint>(); }
int m28convertline() { return convert<m28chkdate, strtoint>(); }
int m29convertline() { return convert<m29chkdate, strtoint>(); }
int m30convertline() { return convert<m30chkdate, strtoint>(); }
int m31convertline() { return convert<m31chkdate, strtoint>(); }
int m32convertline() { return convert<m32chkdate, strtoint>(); }
int m33convertline() { return convert<m33chkdate, strtoint>(); }
int m34convertline() { return convert<m34chkdate, strtoint>(); }
int m35convertline() { return convert<m35chkdate, strtoint>(); }
int m36convertline() { return convert<m36chkdate, strtoint>(); }
int m37convertline() { return convert<m37chkdate, strtoint>(); }
int m38convertline() { return convert<m38chkdate, strtoint>(); }
int m39convertline() { return convert<m39chkdate, strtoint>(); }
int m40convertline() { return convert<m40chkdate, strtoint>(); }
int m41convertline() { return convert<m41chkdate, strtoint>(); }
int m42convertline() { return convert<m42chkdate, strtoint>(); }
int m43convertline() { return convert<m43chkdate, strtoint>(); }
int m44convertline() { return convert<m44chkdate, strtoint>(); }
int m45convertline() { return convert<m45chkdate, strtoint>(); }

// Every stage is compiled into the entry (flatten), as into the reference's.
[[gnu::flatten]] int m1(int length) { return evaluate<m1chkinputsyntax, convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m2(int length) { return evaluate<m2chkinputsyntax, convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m3(int length) { return evaluate<m3chkinputsyntax, convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m4(int length) { return evaluate<m4chkinputsyntax, convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m5(int length) { return evaluate<m5chkinputsyntax, convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m6(int length) { return evaluate<m6chkinputsyntax, convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m7(int length) { return evaluate<m7chkinputsyntax, convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m8(int length) { return evaluate<m8chkinputsyntax, convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m9(int length) { return evaluate<m9chkinputsyntax, convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m10(int length) { return evaluate<m10chkinputsyntax, convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m11(int length) { return evaluate<m11chkinputsyntax, convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m12(int length) { return evaluate<m12chkinputsyntax, convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m13(int length) { return evaluate<m13chkinputsyntax, convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m14(int length) { return evaluate<m14chkinputsyntax, convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m15(int length) { return evaluate<m15chkinputsyntax, convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m16(int length) { return evaluate<m16chkinputsyntax, convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m17(int length) { return evaluate<chkinputsyntax, m17convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m18(int length) { return evaluate<chkinputsyntax, m18convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m19(int length) { return evaluate<chkinputsyntax, m19convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m20(int length) { return evaluate<chkinputsyntax, m20convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m21(int length) { return evaluate<chkinputsyntax, m21convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m22(int length) { return evaluate<chkinputsyntax, m22convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m23(int length) { return evaluate<chkinputsyntax, m23convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m24(int length) { return evaluate<chkinputsyntax, m24convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m25(int length) { return evaluate<chkinputsyntax, m25convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m26(int length) { return evaluate<chkinputsyntax, m26convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m27(int length) { return evaluate<chkinputsyntax, m27convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m28(int length) { return evaluate<chkinputsyntax, m28convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m29(int length) { return evaluate<chkinputsyntax, m29convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m30(int length) { return evaluate<chkinputsyntax, m30convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m31(int length) { return evaluate<chkinputsyntax, m31convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m32(int length) { return evaluate<chkinputsyntax, m32convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m33(int length) { return evaluate<chkinputsyntax, m33convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m34(int length) { return evaluate<chkinputsyntax, m34convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m35(int length) { return evaluate<chkinputsyntax, m35convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m36(int length) { return evaluate<chkinputsyntax, m36convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m37(int length) { return evaluate<chkinputsyntax, m37convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m38(int length) { return evaluate<chkinputsyntax, m38convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m39(int length) { return evaluate<chkinputsyntax, m39convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m40(int length) { return evaluate<chkinputsyntax, m40convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m41(int length) { return evaluate<chkinputsyntax, m41convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m42(int length) { return evaluate<chkinputsyntax, m42convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m43(int length) { return evaluate<chkinputsyntax, m43convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m44(int length) { return evaluate<chkinputsyntax, m44convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m45(int length) { return evaluate<chkinputsyntax, m45convertline, daysdiff, dayresult>(length); }
[[gnu::flatten]] int m46(int length) { return evaluate<chkinputsyntax, convertline, m46daysdiff, dayresult>(length); }
[[gnu::flatten]] int m47(int length) { return evaluate<chkinputsyntax, convertline, m47daysdiff, dayresult>(length); }
[[gnu::flatten]] int m48(int length) { return evaluate<chkinputsyntax, convertline, m48daysdiff, dayresult>(length); }
[[gnu::flatten]] int m49(int length) { return evaluate<chkinputsyntax, convertline, m49daysdiff, dayresult>(length); }
[[gnu::flatten]] int m50(int length) { return evaluate<chkinputsyntax, convertline, m50daysdiff, dayresult>(length); }
[[gnu::flatten]] int m51(int length) { return evaluate<chkinputsyntax, convertline, m51daysdiff, dayresult>(length); }
[[gnu::flatten]] int m52(int length) { return evaluate<chkinputsyntax, convertline, m52daysdiff, dayresult>(length); }
[[gnu::flatten]] int m53(int length) { return evaluate<chkinputsyntax, convertline, m53daysdiff, dayresult>(length); }
[[gnu::flatten]] int m54(int length) { return evaluate<chkinputsyntax, convertline, m54daysdiff, dayresult>(length); }
[[gnu::flatten]] int m55(int length) { return evaluate<chkinputsyntax, convertline, m55daysdiff, dayresult>(length); }
[[gnu::flatten]] int m56(int length) { return evaluate<chkinputsyntax, convertline, m56daysdiff, dayresult>(length); }
[[gnu::flatten]] int m57(int length) { return evaluate<chkinputsyntax, convertline, m57daysdiff, dayresult>(length); }
[[gnu::flatten]] int m58(int length) { return evaluate<chkinputsyntax, convertline, m58daysdiff, dayresult>(length); }
[[gnu::flatten]] int m59(int length) { return evaluate<chkinputsyntax, convertline, m59daysdiff, dayresult>(length); }
[[gnu::flatten]] int m60(int length) { return evaluate<chkinputsyntax, convertline, m60daysdiff, dayresult>(length); }
[[gnu::flatten]] int m61(int length) { return evaluate<chkinputsyntax, convertline, m61daysdiff, dayresult>(length); }
[[gnu::flatten]] int m62(int length) { return evaluate<chkinputsyntax, convertline, m62daysdiff, dayresult>(length); }
[[gnu::flatten]] int m63(int length) { return evaluate<chkinputsyntax, convertline, m63daysdiff, dayresult>(length); }
[[gnu::flatten]] int m64(int length) { return evaluate<chkinputsyntax, convertline, m64daysdiff, dayresult>(length); }
[[gnu::flatten]] int m65(int length) { return evaluate<chkinputsyntax, convertline, m65daysdiff, dayresult>(length); }

}  // namespace vorlak::mutants
