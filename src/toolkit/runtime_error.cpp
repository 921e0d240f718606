#include "toolkit/runtime_error.h"

#include <exception>
#include <new>

namespace dravik {

RuntimeError CurrentRuntimeError() {
    try {
        throw;
    } catch (const RuntimeError& e) {
        return e;
    } catch (const std::out_of_range&) {
        return RuntimeError(kErrSubscript, "Subscript out of range");
    } catch (const std::overflow_error&) {
        return RuntimeError(kErrOverflow, "Overflow");
    } catch (const std::bad_alloc&) {
        return RuntimeError(kErrOutOfMemory, "Out of memory");
    } catch (const std::invalid_argument&) {
        return RuntimeError(kErrInvalidCall, "Invalid procedure call or argument");
    } catch (const std::exception& e) {
        return RuntimeError(kErrInternal, e.what());
    }
}

}  // namespace dravik
