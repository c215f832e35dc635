#include "flujozlib.h"

namespace kz {

FlujoZlib::FlujoZlib(Modo modo, int nivel) : modo_(modo) {
    valido_ = (modo_ == Modo::Comprime ? deflateInit(&z_, nivel) : inflateInit(&z_)) == Z_OK;
}

FlujoZlib::~FlujoZlib() {
    if (!valido_) return;
    if (modo_ == Modo::Comprime) deflateEnd(&z_);
    else inflateEnd(&z_);
}

int FlujoZlib::paso(int flush) {
    if (!valido_) return Z_STREAM_ERROR;
    return modo_ == Modo::Comprime ? deflate(&z_, flush) : inflate(&z_, flush);
}

} // namespace kz
