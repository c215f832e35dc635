#pragma once
// A zlib stream (zlib format: header and Adler-32 check) that is always ended, whatever way the
// scope is left. The caller feeds z().next_in / avail_in and drains next_out / avail_out.

#include <zlib.h>

namespace kz {

class FlujoZlib {
public:
    enum class Modo { Comprime, Descomprime };
    // nivel: a zlib level, Z_DEFAULT_COMPRESSION included; ignored when decompressing.
    explicit FlujoZlib(Modo modo, int nivel = Z_DEFAULT_COMPRESSION);
    ~FlujoZlib();
    FlujoZlib(const FlujoZlib&) = delete;
    FlujoZlib& operator=(const FlujoZlib&) = delete;

    bool valido() const { return valido_; }
    z_stream& z() { return z_; }
    // deflate() or inflate() with the given flush mode.
    int paso(int flush);

private:
    Modo modo_;
    z_stream z_{};
    bool valido_ = false;
};

} // namespace kz
