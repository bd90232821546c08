// Date-check mutants 17 to 42: one bound, one comparison or one month length
// of the date check differs from the reference; 30 has no test 5 at all.
#include "mutants/wiring.hpp"

namespace vorlak::mutants {

int m17chkdate(int month, int day, int year) { return chkdateof<17>(month, day, year); }
int m18chkdate(int month, int day, int year) { return chkdateof<18>(month, day, year); }
int m19chkdate(int month, int day, int year) { return chkdateof<19>(month, day, year); }
int m20chkdate(int month, int day, int year) { return chkdateof<20>(month, day, year); }
int m21chkdate(int month, int day, int year) { return chkdateof<21>(month, day, year); }
int m22chkdate(int month, int day, int year) { return chkdateof<22>(month, day, year); }
int m23chkdate(int month, int day, int year) { return chkdateof<23>(month, day, year); }
int m24chkdate(int month, int day, int year) { return chkdateof<24>(month, day, year); }
int m25chkdate(int month, int day, int year) { return chkdateof<25>(month, day, year); }
int m26chkdate(int month, int day, int year) { return chkdateof<26>(month, day, year); }
int m27chkdate(int month, int day, int year) { return chkdateof<27>(month, day, year); }
int m28chkdate(int month, int day, int year) { return chkdateof<28>(month, day, year); }
int m29chkdate(int month, int day, int year) { return chkdateof<29>(month, day, year); }
int m30chkdate(int month, int day, int year) { return chkdateof<30>(month, day, year); }
int m31chkdate(int month, int day, int year) { return chkdateof<31>(month, day, year); }
int m32chkdate(int month, int day, int year) { return chkdateof<32>(month, day, year); }
int m33chkdate(int month, int day, int year) { return chkdateof<33>(month, day, year); }
int m34chkdate(int month, int day, int year) { return chkdateof<34>(month, day, year); }
int m35chkdate(int month, int day, int year) { return chkdateof<35>(month, day, year); }
int m36chkdate(int month, int day, int year) { return chkdateof<36>(month, day, year); }
int m37chkdate(int month, int day, int year) { return chkdateof<37>(month, day, year); }
int m38chkdate(int month, int day, int year) { return chkdateof<38>(month, day, year); }
int m39chkdate(int month, int day, int year) { return chkdateof<39>(month, day, year); }
int m40chkdate(int month, int day, int year) { return chkdateof<40>(month, day, year); }
int m41chkdate(int month, int day, int year) { return chkdateof<41>(month, day, year); }
int m42chkdate(int month, int day, int year) { return chkdateof<42>(month, day, year); }

}  // namespace vorlak::mutants
