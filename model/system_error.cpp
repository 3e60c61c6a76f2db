#include "model/system_error.h"

#include <cerrno>
#include <cstring>

namespace {

// The kinds a user meets with files and serial devices; the rest keep the system's text.
const char* ItalianKind(int errorNumber) {
    switch (errorNumber) {
    case ENOTTY:
        return "il dispositivo non \xc3\xa8 una porta seriale";
    case ENXIO:
    case ENODEV:
        return "il dispositivo non esiste o non \xc3\xa8 collegato";
    case ENOENT:
        return "il file o la cartella non esiste";
    case ENOTDIR:
        return "una parte del percorso non \xc3\xa8 una cartella";
    case EISDIR:
        return "il percorso \xc3\xa8 una cartella";
    case ELOOP:
        return "troppi collegamenti simbolici nel percorso";
    case ENAMETOOLONG:
        return "il percorso \xc3\xa8 troppo lungo";
    case EBUSY:
        return "il dispositivo \xc3\xa8 occupato";
    case EIO:
        return "errore di ingresso/uscita";
    case EACCES:
    case EPERM:
        return "permesso negato";
    case EROFS:
        return "il file system \xc3\xa8 in sola lettura";
    case ENOSPC:
        return "spazio su disco esaurito";
    case EDQUOT:
        return "quota del disco superata";
    case EFBIG:
        return "il file \xc3\xa8 troppo grande";
    case EEXIST:
        return "il file esiste gi\xc3\xa0";
    case ETXTBSY:
        return "il file \xc3\xa8 in uso";
    case EMFILE:
    case ENFILE:
        return "troppi file aperti";
    case ENOMEM:
        return "memoria insufficiente";
    case EAGAIN:
        return "risorsa temporaneamente non disponibile";
    case EINTR:
        return "operazione interrotta";
    case EINVAL:
        return "richiesta non valida per questo file o dispositivo";
    case EXDEV:
        return "il file si trova su un altro file system";
    default:
        break;
    }
    return nullptr;
}

} // namespace

std::string SystemErrorText(int errorNumber) {
    if (errorNumber <= 0) {
        return "errore sconosciuto";
    }
    const std::string system = std::strerror(errorNumber);
    const char* kind = ItalianKind(errorNumber);
    if (kind == nullptr) {
        return "errore di sistema " + std::to_string(errorNumber) + " (" + system + ")";
    }
    return std::string(kind) + " (" + system + ")";
}

int ErrorNumberOfText(const std::string& text) {
    if (text.empty()) {
        return 0;
    }
    // Error numbers on Linux end well below 256.
    for (int number = 1; number < 256; ++number) {
        if (text == std::strerror(number)) {
            return number;
        }
    }
    return 0;
}
