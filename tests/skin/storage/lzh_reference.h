// A plain, byte-at-a-time LZH packer written step by step from the format's description, with 16-bit bit
// buffers and no shortcuts. The product's packer is tuned for speed; tests and the differential fuzz target
// hold it to the bits this one writes.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <vector>

namespace lzh_reference {

inline std::vector<std::uint8_t> Pack(std::span<const std::uint8_t> input) {
    constexpr int N = 4096, F = 60, THRESHOLD = 2, NIL = N;
    constexpr int N_CHAR = 256 - THRESHOLD + F, T = 2 * N_CHAR - 1, R = T - 1;
    constexpr unsigned MAX_FREQ = 0x8000;

    struct State {
        std::uint8_t text_buf[N + F - 1];
        std::int16_t lson[N + 1], dad[N + 1], rson[N + 257];
        std::uint16_t freq[T + 1];
        std::int16_t prnt[T + N_CHAR], son[T];
        int match_position = 0, match_length = 0;
        std::uint16_t putbuf = 0;
        int putlen = 0;
        std::vector<std::uint8_t> out;
    };
    auto st = std::make_unique<State>();
    State& z = *st;

    std::uint8_t p_len[64], p_code[64];
    for (int v = 0, code = 0; v < 64; ++v) {
        p_len[v] = std::uint8_t(v == 0 ? 3 : v < 4 ? 4 : v < 12 ? 5 : v < 24 ? 6 : v < 48 ? 7 : 8);
        p_code[v] = std::uint8_t(code);
        code += 1 << (8 - p_len[v]);
    }

    auto PutCode = [&](int l, std::uint16_t c) {
        z.putbuf |= std::uint16_t(c >> z.putlen);
        z.putlen += l;
        if (z.putlen >= 8) {
            z.out.push_back(std::uint8_t(z.putbuf >> 8));
            z.putlen -= 8;
            if (z.putlen >= 8) {
                z.out.push_back(std::uint8_t(z.putbuf));
                z.putlen -= 8;
                z.putbuf = std::uint16_t(c << (l - z.putlen));
            } else {
                z.putbuf = std::uint16_t(z.putbuf << 8);
            }
        }
    };

    auto StartHuff = [&] {
        for (int i = 0; i < N_CHAR; ++i) {
            z.freq[i] = 1;
            z.son[i] = std::int16_t(i + T);
            z.prnt[i + T] = std::int16_t(i);
        }
        for (int i = 0, j = N_CHAR; j <= R; i += 2, ++j) {
            z.freq[j] = std::uint16_t(z.freq[i] + z.freq[i + 1]);
            z.son[j] = std::int16_t(i);
            z.prnt[i] = z.prnt[i + 1] = std::int16_t(j);
        }
        z.freq[T] = 0xFFFF;
        z.prnt[R] = 0;
    };

    auto Reconst = [&] {
        int j = 0;
        for (int i = 0; i < T; ++i) {
            if (z.son[i] >= T) {
                z.freq[j] = std::uint16_t((z.freq[i] + 1) / 2);
                z.son[j] = z.son[i];
                ++j;
            }
        }
        for (int i = 0, jj = N_CHAR; jj < T; i += 2, ++jj) {
            const std::uint16_t f = std::uint16_t(z.freq[i] + z.freq[i + 1]);
            z.freq[jj] = f;
            int k = jj - 1;
            while (f < z.freq[k]) --k;
            ++k;
            for (int m = jj; m > k; --m) {
                z.freq[m] = z.freq[m - 1];
                z.son[m] = z.son[m - 1];
            }
            z.freq[k] = f;
            z.son[k] = std::int16_t(i);
        }
        for (int i = 0; i < T; ++i) {
            const int k = z.son[i];
            z.prnt[k] = std::int16_t(i);
            if (k < T) z.prnt[k + 1] = std::int16_t(i);
        }
    };

    auto Update = [&](int c) {
        if (z.freq[R] == MAX_FREQ) Reconst();
        int k = z.prnt[c + T];
        do {
            const std::uint16_t f = ++z.freq[k];
            int l = k + 1;
            if (f > z.freq[l]) {
                while (f > z.freq[l + 1]) ++l;
                z.freq[k] = z.freq[l];
                z.freq[l] = f;
                const int i = z.son[k];
                z.prnt[i] = std::int16_t(l);
                if (i < T) z.prnt[i + 1] = std::int16_t(l);
                const int j = z.son[l];
                z.son[l] = std::int16_t(i);
                z.prnt[j] = std::int16_t(k);
                if (j < T) z.prnt[j + 1] = std::int16_t(k);
                z.son[k] = std::int16_t(j);
                k = l;
            }
            k = z.prnt[k];
        } while (k != 0);
    };

    auto EncodeChar = [&](int c) {
        // Bits from the leaf up; a code of more than 16 bits goes out in two pieces, high part first.
        std::uint64_t bits = 0;
        int count = 0;
        for (int k = z.prnt[c + T]; k != R; k = z.prnt[k]) {
            bits |= std::uint64_t(k & 1) << count;
            ++count;
        }
        if (count > 16) {
            PutCode(count - 16, std::uint16_t((bits >> 16) << (32 - count)));
            PutCode(16, std::uint16_t(bits));
        } else {
            PutCode(count, std::uint16_t(bits << (16 - count)));
        }
        Update(c);
    };

    auto EncodePosition = [&](int p) {
        const int i = p >> 6;
        PutCode(p_len[i], std::uint16_t(p_code[i] << 8));
        PutCode(6, std::uint16_t((p & 0x3F) << 10));
    };

    auto InsertNode = [&](int r) {
        int cmp = 1;
        int p = N + 1 + z.text_buf[r];
        z.rson[r] = z.lson[r] = NIL;
        z.match_length = 0;
        for (;;) {
            if (cmp >= 0) {
                if (z.rson[p] != NIL) {
                    p = z.rson[p];
                } else {
                    z.rson[p] = std::int16_t(r);
                    z.dad[r] = std::int16_t(p);
                    return;
                }
            } else {
                if (z.lson[p] != NIL) {
                    p = z.lson[p];
                } else {
                    z.lson[p] = std::int16_t(r);
                    z.dad[r] = std::int16_t(p);
                    return;
                }
            }
            int i = 1;
            for (; i < F; ++i) {
                cmp = int(z.text_buf[r + i]) - int(z.text_buf[p + i]);
                if (cmp != 0) break;
            }
            if (i > THRESHOLD) {
                const int position = ((r - p) & (N - 1)) - 1;
                if (i > z.match_length) {
                    z.match_position = position;
                    z.match_length = i;
                    if (z.match_length >= F) break;
                } else if (i == z.match_length && position < z.match_position) {
                    z.match_position = position;
                }
            }
        }
        z.dad[r] = z.dad[p];
        z.lson[r] = z.lson[p];
        z.rson[r] = z.rson[p];
        z.dad[z.lson[p]] = std::int16_t(r);
        z.dad[z.rson[p]] = std::int16_t(r);
        if (z.rson[z.dad[p]] == p)
            z.rson[z.dad[p]] = std::int16_t(r);
        else
            z.lson[z.dad[p]] = std::int16_t(r);
        z.dad[p] = NIL;
    };

    auto DeleteNode = [&](int p) {
        if (z.dad[p] == NIL) return;
        int q;
        if (z.rson[p] == NIL) {
            q = z.lson[p];
        } else if (z.lson[p] == NIL) {
            q = z.rson[p];
        } else {
            q = z.lson[p];
            if (z.rson[q] != NIL) {
                do q = z.rson[q];
                while (z.rson[q] != NIL);
                z.rson[z.dad[q]] = z.lson[q];
                z.dad[z.lson[q]] = z.dad[q];
                z.lson[q] = z.lson[p];
                z.dad[z.lson[p]] = std::int16_t(q);
            }
            z.rson[q] = z.rson[p];
            z.dad[z.rson[p]] = std::int16_t(q);
        }
        z.dad[q] = z.dad[p];
        if (z.rson[z.dad[p]] == p)
            z.rson[z.dad[p]] = std::int16_t(q);
        else
            z.lson[z.dad[p]] = std::int16_t(q);
        z.dad[p] = NIL;
    };

    const std::uint32_t size = std::uint32_t(input.size());
    z.out = {std::uint8_t(size), std::uint8_t(size >> 8), std::uint8_t(size >> 16), std::uint8_t(size >> 24)};
    std::size_t next = 0;
    auto Read = [&](int& b) {
        if (next == input.size()) return false;
        b = input[next++];
        return true;
    };

    StartHuff();
    for (int i = N + 1; i <= N + 256; ++i) z.rson[i] = NIL;
    for (int i = 0; i <= N; ++i) z.dad[i] = NIL;
    std::memset(z.text_buf, 0, sizeof z.text_buf);
    int s = 0, r = N - F;
    std::memset(z.text_buf, ' ', std::size_t(r));
    int len = 0;
    for (int b; len < F && Read(b); ++len) z.text_buf[r + len] = std::uint8_t(b);
    for (int i = 1; i <= F; ++i) InsertNode(r - i);
    InsertNode(r);
    do {
        if (z.match_length > len) z.match_length = len;
        if (z.match_length <= THRESHOLD) {
            z.match_length = 1;
            EncodeChar(z.text_buf[r]);
        } else {
            EncodeChar(z.match_length + 253);
            EncodePosition(z.match_position);
        }
        const int last = z.match_length;
        int i = 0;
        for (int b; i < last && Read(b); ++i) {
            DeleteNode(s);
            z.text_buf[s] = std::uint8_t(b);
            if (s < F - 1) z.text_buf[s + N] = std::uint8_t(b);
            s = (s + 1) & (N - 1);
            r = (r + 1) & (N - 1);
            InsertNode(r);
        }
        while (i++ < last) {
            DeleteNode(s);
            s = (s + 1) & (N - 1);
            r = (r + 1) & (N - 1);
            if (--len) InsertNode(r);
        }
    } while (len > 0);
    if (z.putlen > 0) z.out.push_back(std::uint8_t(z.putbuf >> 8));
    return std::move(z.out);
}

}  // namespace lzh_reference
