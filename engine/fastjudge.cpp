#include "engine/fastjudge.hpp"

namespace vorlak::engine::fast {

linestates judgesets(const trace& t) { return statesof(judgeall(t)); }

}  // namespace vorlak::engine::fast
