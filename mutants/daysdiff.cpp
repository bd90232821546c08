// Day-difference mutants 46 to 65: one term, one bound, the leap rule or one
// table entry of the day number differs, for both dates of the count.
#include "mutants/wiring.hpp"

namespace vorlak::mutants {

int m46daysdiff(date first, date second) { return daysdiffof<46>(first, second); }
int m47daysdiff(date first, date second) { return daysdiffof<47>(first, second); }
int m48daysdiff(date first, date second) { return daysdiffof<48>(first, second); }
int m49daysdiff(date first, date second) { return daysdiffof<49>(first, second); }
int m50daysdiff(date first, date second) { return daysdiffof<50>(first, second); }
int m51daysdiff(date first, date second) { return daysdiffof<51>(first, second); }
int m52daysdiff(date first, date second) { return daysdiffof<52>(first, second); }
int m53daysdiff(date first, date second) { return daysdiffof<53>(first, second); }
int m54daysdiff(date first, date second) { return daysdiffof<54>(first, second); }
int m55daysdiff(date first, date second) { return daysdiffof<55>(first, second); }
int m56daysdiff(date first, date second) { return daysdiffof<56>(first, second); }
int m57daysdiff(date first, date second) { return daysdiffof<57>(first, second); }
int m58daysdiff(date first, date second) { return daysdiffof<58>(first, second); }
int m59daysdiff(date first, date second) { return daysdiffof<59>(first, second); }
int m60daysdiff(date first, date second) { return daysdiffof<60>(first, second); }
int m61daysdiff(date first, date second) { return daysdiffof<61>(first, second); }
int m62daysdiff(date first, date second) { return daysdiffof<62>(first, second); }
int m63daysdiff(date first, date second) { return daysdiffof<63>(first, second); }
int m64daysdiff(date first, date second) { return daysdiffof<64>(first, second); }
int m65daysdiff(date first, date second) { return daysdiffof<65>(first, second); }

}  // namespace vorlak::mutants
