// The LZH codec. The packer keeps a binary search tree per first byte over the ring positions and codes
// the longest match (nearest on ties); both sides keep the same adaptive Huffman tree over the 314
// symbols (256 literals, 58 match lengths) and halve it when the root reaches MAX_FREQ.
//
// The callbacks are used a block at a time: input is read into a buffer, output is gathered in one, and
// the hot loops only touch plain memory.
#include "skin/storage/lzh.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "platform/stream.h"

namespace {

constexpr int N = 4096;                      // ring buffer size
constexpr int F = 60;                        // look-ahead size, longest match
constexpr int THRESHOLD = 2;                 // a match must be longer than this
constexpr int NIL = N;                       // no node in the match trees
constexpr int N_CHAR = 256 - THRESHOLD + F;  // 314 symbols
constexpr int T = 2 * N_CHAR - 1;            // 627 tree nodes
constexpr int R = T - 1;                     // the root
constexpr unsigned MAX_FREQ = 0x8000;

constexpr std::size_t kBlock = 32768;  // bytes per callback call

// The match search reads eight bytes at a time as a little-endian word.
static_assert(std::endian::native == std::endian::little);

// ---- The position code: upper 6 bits of a position in a canonical prefix code, lower 6 bits verbatim.

struct PositionTables {
    std::uint8_t p_len[64];
    std::uint8_t p_code[64];
    std::uint8_t d_code[256];
    std::uint8_t d_len[256];
};

constexpr PositionTables MakePositionTables() {
    PositionTables t{};
    int code = 0;
    for (int v = 0; v < 64; ++v) {
        const int l = v == 0 ? 3 : v < 4 ? 4 : v < 12 ? 5 : v < 24 ? 6 : v < 48 ? 7 : 8;
        t.p_len[v] = std::uint8_t(l);
        t.p_code[v] = std::uint8_t(code);
        for (int k = 0; k < (1 << (8 - l)); ++k) {
            t.d_code[code + k] = std::uint8_t(v);
            t.d_len[code + k] = std::uint8_t(l);
        }
        code += 1 << (8 - l);
    }
    return t;
}
constexpr PositionTables kPos = MakePositionTables();
static_assert(kPos.p_code[1] == 0x20 && kPos.p_code[4] == 0x50 && kPos.p_code[12] == 0x90 &&
              kPos.p_code[24] == 0xC0 && kPos.p_code[48] == 0xF0 && kPos.p_code[63] == 0xFF);

// ---- Buffered input and output behind the callbacks

class ByteSource {
public:
    explicit ByteSource(std::span<const std::uint8_t> all)
        : p_(all.data()), end_(all.data() + all.size()), delivered_(all.size()) {}
    explicit ByteSource(const TReadProc& get) : get_(&get), buf_(new std::uint8_t[kBlock]) {}

    // The next input byte, or -1 once the input has ended.
    int Next() {
        if (p_ == end_ && !Refill()) return -1;
        return *p_++;
    }
    std::size_t Available() const { return std::size_t(end_ - p_); }
    const std::uint8_t* Peek() const { return p_; }
    void Skip(std::size_t n) { p_ += n; }
    // Bytes taken from the input so far (read past, not merely buffered).
    std::uint64_t Taken() const { return delivered_ - Available(); }

private:
    bool Refill() {
        if (!get_ || done_) return false;
        std::uint16_t got = 0;
        (*get_)(buf_.get(), std::uint16_t(kBlock), got);
        if (got == 0) {
            done_ = true;
            return false;
        }
        p_ = buf_.get();
        end_ = p_ + std::min<std::size_t>(got, kBlock);
        delivered_ += std::uint64_t(end_ - p_);
        return true;
    }

    const std::uint8_t* p_ = nullptr;
    const std::uint8_t* end_ = nullptr;
    const TReadProc* get_ = nullptr;
    bool done_ = false;
    std::uint64_t delivered_ = 0;
    std::unique_ptr<std::uint8_t[]> buf_;
};

class ByteSink {
public:
    explicit ByteSink(std::vector<std::uint8_t>& target) : target_(&target) {}
    explicit ByteSink(const TWriteProc& put) : put_(&put) {}

    void Write(const std::uint8_t* p, std::size_t n) {
        if (target_) {
            target_->insert(target_->end(), p, p + n);
            return;
        }
        while (n > 0) {
            const auto chunk = std::uint16_t(std::min<std::size_t>(n, kBlock));
            std::uint16_t put = 0;
            (*put_)(const_cast<std::uint8_t*>(p), chunk, put);
            if (put == 0 || put > chunk) throw EWriteError("Stream write error");
            p += put;
            n -= put;
        }
    }

private:
    std::vector<std::uint8_t>* target_ = nullptr;
    const TWriteProc* put_ = nullptr;
};

// ---- The adaptive Huffman tree shared by packer and unpacker

struct Huffman {
    unsigned freq[T + 1];  // node frequencies, freq[T] a sentinel
    int prnt[T + N_CHAR];  // parent of each node; prnt[T + c] holds symbol c
    int son[T];            // first child of an inner node, T + symbol for a leaf

    void StartHuff() {
        for (int i = 0; i < N_CHAR; ++i) {
            freq[i] = 1;
            son[i] = i + T;
            prnt[i + T] = i;
        }
        for (int i = 0, j = N_CHAR; j <= R; i += 2, ++j) {
            freq[j] = freq[i] + freq[i + 1];
            son[j] = i;
            prnt[i] = prnt[i + 1] = j;
        }
        freq[T] = 0xFFFF;
        prnt[R] = 0;
    }

    // Halves every leaf frequency and rebuilds the inner nodes in order.
    void Reconst() {
        int j = 0;
        for (int i = 0; i < T; ++i) {
            if (son[i] >= T) {
                freq[j] = (freq[i] + 1) / 2;
                son[j] = son[i];
                ++j;
            }
        }
        for (int i = 0, j2 = N_CHAR; j2 < T; i += 2, ++j2) {
            const unsigned f = freq[i] + freq[i + 1];
            freq[j2] = f;
            int k = j2 - 1;
            while (f < freq[k]) --k;
            ++k;
            const std::size_t moved = std::size_t(j2 - k);
            std::memmove(&freq[k + 1], &freq[k], moved * sizeof freq[0]);
            freq[k] = f;
            std::memmove(&son[k + 1], &son[k], moved * sizeof son[0]);
            son[k] = i;
        }
        for (int i = 0; i < T; ++i) {
            const int k = son[i];
            prnt[k] = i;
            if (k < T) prnt[k + 1] = i;
        }
    }

    void Update(int c) {
        if (freq[R] == MAX_FREQ) Reconst();
        c = prnt[c + T];
        do {
            const unsigned k = ++freq[c];
            int l = c + 1;
            if (k > freq[l]) {
                while (k > freq[++l]) {
                }
                --l;
                freq[c] = freq[l];
                freq[l] = k;
                const int i = son[c];
                prnt[i] = l;
                if (i < T) prnt[i + 1] = l;
                const int j = son[l];
                son[l] = i;
                prnt[j] = c;
                if (j < T) prnt[j + 1] = c;
                son[c] = j;
                c = l;
            }
        } while ((c = prnt[c]) != 0);
    }
};

// ---- Match finder

// Every ring position is a node of the binary search tree of its first byte, ordered by the F bytes that
// start there. The window moves one byte at a time: the oldest node leaves, the next input byte enters the
// ring, and the newest position is inserted, its search giving the longest match (nearest on ties) among
// the nodes met on the way down. The sequence of tree operations is the same whatever the encoder makes of
// the matches, so the finder may run a position ahead of it; two insertions into different trees then run
// side by side, which overlaps their chains of dependent loads.
class MatchFinder {
public:
    // Fills the look-ahead from src and inserts the first position and the F spaces before it.
    void Start(ByteSource& src) {
        src_ = &src;
        for (int i = N + 1; i <= N + 256; ++i) child[i][1] = NIL;
        for (int i = 0; i <= N; ++i) dad[i] = NIL;
        std::memset(text_buf, 0, sizeof text_buf);
        std::memset(text_buf, ' ', N - F);
        int len = 0;
        for (int c; len < F && (c = src.Next()) >= 0; ++len) Put(N - F + len, c);
        read_ = len;
        next_ = 1;
        for (int i = 1; i <= F; ++i) Insert(N - F - i);
        Insert(N - F);
    }

    // Bytes read from the input so far.
    std::int64_t Read() const { return read_; }
    // The byte at input position x, while it is in the window.
    int ByteAt(std::int64_t x) const { return text_buf[Slot(x)]; }
    // The best match of input position x, once inserted: length 0 when nothing of 3 bytes or more matched.
    int MatchLength(std::int64_t x) const { return found[Slot(x) % kFound] >> 12; }
    int MatchPosition(std::int64_t x) const { return N - 1 - (found[Slot(x) % kFound] & (N - 1)); }

    // Moves the window until input position x is inserted (or passed, past the end of the input).
    void AdvanceTo(std::int64_t x) {
        while (next_ <= x) {
            const std::int64_t a = next_;
            Slide(a);
            const int ra = Slot(a);
            // The pair needs the next position in the input, in another tree than a's, and the node that
            // leaves before it outside a's tree too.
            const int leaving = Slot(a + F);
            if (a + 1 < read_ && text_buf[Slot(a + 1)] != text_buf[ra] &&
                (dad[leaving] == NIL || text_buf[leaving] != text_buf[ra])) {
                Slide(a + 1);
                InsertPair(ra, Slot(a + 1));
                next_ = a + 2;
            } else {
                if (a < read_) Insert(ra);
                next_ = a + 1;
            }
        }
    }

private:
    static int Slot(std::int64_t x) { return int((x + N - F) & (N - 1)); }

    void Put(int slot, int c) {
        text_buf[slot] = std::uint8_t(c);
        if (slot < F - 1) text_buf[slot + N] = std::uint8_t(c);
    }

    // Before position x is inserted: the node F - 1 places ahead of it leaves, and the byte that completes
    // x's key enters the ring in its slot, when the input still has one.
    void Slide(std::int64_t x) {
        const int slot = Slot(x + F - 1);
        DeleteNode(slot);
        if (read_ == x + F - 1) {
            const int c = src_->Next();
            if (c >= 0) {
                Put(slot, c);
                ++read_;
            }
        }
    }

    // One walk down a tree, a node per step: the direction comes from comparing eight key bytes at a time
    // as big-endian words, and the best match so far is one number, length above nearness.
    struct Descent {
        int r;      // the position being inserted
        int p;      // the node reached
        int right;  // the link of p to follow next
        int best;   // length << 12 | (4095 - position) of the best match, 0 for none
    };

    Descent Begin(int r) {
        child[r][0] = child[r][1] = NIL;
        return {r, N + 1 + text_buf[r], 1, 0};
    }

    // One step of d; false once r has its place in the tree.
    [[gnu::always_inline]] bool Step(Descent& d) {
        const int next = child[d.p][d.right];
        if (next == NIL) {
            child[d.p][d.right] = std::int16_t(d.r);
            dad[d.r] = std::int16_t(d.p);
            found[d.r % kFound] = d.best;
            return false;
        }
        const int p = d.p = next;
        const std::uint8_t* key = &text_buf[d.r];
        const std::uint8_t* q = &text_buf[p];
        const int nearness = N - ((d.r - p) & (N - 1));  // 4095 - position
        std::uint64_t x, y;
        int i = 1;
        for (;;) {
            std::memcpy(&x, key + i, 8);
            std::memcpy(&y, q + i, 8);
            if (x != y) {
                i += std::countr_zero(x ^ y) >> 3;
                break;
            }
            i += 8;
            if (i >= F) break;
        }
        if (i >= F) {
            TakePlaceOf(d.r, p);
            found[d.r % kFound] = F << 12 | nearness;
            return false;
        }
        d.right = __builtin_bswap64(x) > __builtin_bswap64(y);
        d.best = std::max(d.best, i > THRESHOLD ? i << 12 | nearness : 0);
        return true;
    }

    void Insert(int r) {
        Descent d = Begin(r);
        while (Step(d)) {
        }
    }

    // Two insertions into different trees, a step of each in turn.
    void InsertPair(int r1, int r2) {
        Descent a = Begin(r1);
        Descent b = Begin(r2);
        bool moreA = true;
        bool moreB = true;
        while (moreA && moreB) {
            moreA = Step(a);
            moreB = Step(b);
        }
        while (moreA) moreA = Step(a);
        while (moreB) moreB = Step(b);
    }

    // A full-length match: r takes p's place in the tree.
    void TakePlaceOf(int r, int p) {
        dad[r] = dad[p];
        child[r][0] = child[p][0];
        child[r][1] = child[p][1];
        dad[child[p][0]] = std::int16_t(r);
        dad[child[p][1]] = std::int16_t(r);
        if (child[dad[p]][1] == p)
            child[dad[p]][1] = std::int16_t(r);
        else
            child[dad[p]][0] = std::int16_t(r);
        dad[p] = NIL;
    }

    void DeleteNode(int p) {
        if (dad[p] == NIL) return;
        int q;
        if (child[p][1] == NIL) {
            q = child[p][0];
        } else if (child[p][0] == NIL) {
            q = child[p][1];
        } else {
            q = child[p][0];
            if (child[q][1] != NIL) {
                do {
                    q = child[q][1];
                } while (child[q][1] != NIL);
                child[dad[q]][1] = child[q][0];
                dad[child[q][0]] = dad[q];
                child[q][0] = child[p][0];
                dad[child[p][0]] = std::int16_t(q);
            }
            child[q][1] = child[p][1];
            dad[child[p][1]] = std::int16_t(q);
        }
        dad[q] = dad[p];
        if (child[dad[p]][1] == p)
            child[dad[p]][1] = std::int16_t(q);
        else
            child[dad[p]][0] = std::int16_t(q);
        dad[p] = NIL;
    }

    ByteSource* src_ = nullptr;
    std::int64_t read_ = 0;  // input bytes in the ring so far
    std::int64_t next_ = 0;  // the next input position to insert
    // The ring, its first F - 1 bytes mirrored behind it, and 8 spare bytes for word-wide comparisons.
    std::uint8_t text_buf[N + F - 1 + 8];
    std::int16_t child[N + 257][2];  // [0] left, [1] right; N + 1 + b is the root of byte b's tree
    std::int16_t dad[N + 1];         // dad[NIL] takes the writes made through absent children
    // The best match of the latest positions inserted, as Descent::best: the encoder reads a position as
    // soon as it is inserted, and the finder is never more than one position ahead.
    static constexpr int kFound = 64;
    int found[kFound];
};

// ---- Packer

struct Packer {
    Huffman huff;

    // Output bits, most significant first; acc holds nbits pending bits at its low end.
    std::uint64_t acc = 0;
    int nbits = 0;
    std::uint8_t out[kBlock + 16];
    std::size_t used = 0;
    std::int32_t codesize = 0;
    ByteSink* sink = nullptr;
    std::uint16_t lastCode = 0;
    std::uint16_t lastLen = 0;

    void FlushOut() {
        sink->Write(out, used);
        used = 0;
    }

    // Puts the low n bits of v (n < 57).
    void PutBits(int n, std::uint64_t v) {
        acc = (acc << n) | v;
        nbits += n;
        while (nbits >= 8) {
            nbits -= 8;
            out[used++] = std::uint8_t(acc >> nbits);
            ++codesize;
        }
        if (used >= kBlock) FlushOut();
    }

    void EncodeChar(int c) {
        // Gather the path from the leaf up to the root; the leaf's bit is the last one sent. A path longer
        // than 16 bits is sent whole.
        std::uint64_t bits = 0;
        int j = 0;
        int k = huff.prnt[c + T];
        do {
            bits |= std::uint64_t(k & 1) << j;
            ++j;
        } while ((k = huff.prnt[k]) != R);
        PutBits(j, bits);
        lastCode = std::uint16_t(j <= 16 ? bits << (16 - j) : bits >> (j - 16));
        lastLen = std::uint16_t(j);
        huff.Update(c);
    }

    void EncodePosition(int c) {
        const int i = c >> 6;
        PutBits(kPos.p_len[i], std::uint64_t(kPos.p_code[i]) >> (8 - kPos.p_len[i]));
        PutBits(6, std::uint64_t(c & 0x3F));
    }

    void EncodeEnd() {
        if (nbits > 0) {
            out[used++] = std::uint8_t(acc << (8 - nbits));
            nbits = 0;
            ++codesize;
        }
        FlushOut();
    }

    // Codes the input a match or a literal at a time; the match found at the start of a token is cut to
    // the bytes the input still has from there.
    std::int32_t Run(ByteSource& src, MatchFinder& finder) {
        huff.StartHuff();
        finder.Start(src);
        std::int64_t t = 0;
        do {
            const int len = int(std::min<std::int64_t>(F, finder.Read() - t));
            const int length = std::min(finder.MatchLength(t), len);
            int last = 1;
            if (length <= THRESHOLD) {
                EncodeChar(finder.ByteAt(t));
            } else {
                EncodeChar(255 - THRESHOLD + length);
                EncodePosition(finder.MatchPosition(t));
                last = length;
            }
            t += last;
            finder.AdvanceTo(t);
        } while (t < finder.Read());
        EncodeEnd();
        return std::int32_t(finder.Read());
    }
};

// ---- Unpacker

class BitReader {
public:
    explicit BitReader(ByteSource& src) : src_(src) {}

    // Walks the tree from the root to a leaf, a bit per level.
    int DecodeSymbol(const int* son) {
        std::uint64_t b = buf_;
        int n = count_;
        int c = son[R];
        while (c < T) {
            if (n == 0) {
                buf_ = b;
                count_ = n;
                Fill();
                b = buf_;
                n = count_;
            }
            c = son[c + int(b >> 63)];
            b <<= 1;
            --n;
        }
        buf_ = b;
        count_ = n;
        return c - T;
    }

    // The next 16 bits without taking them.
    unsigned Peek16() {
        if (count_ < 16) Fill();
        return unsigned(buf_ >> 48);
    }
    void Drop(int n) {
        buf_ <<= n;
        count_ -= n;
    }

    // Input bytes that the bits taken so far occupy (a partly used last byte counts), never more than the
    // input had: past its end the zero bits come from nowhere.
    std::uint64_t BytesUsed() const {
        const std::uint64_t whole = std::uint64_t(count_) / 8;  // untouched bytes, the zeros last
        const std::uint64_t unusedInput = whole > zeros_ ? whole - zeros_ : 0;
        return src_.Taken() - std::min(unusedInput, src_.Taken());
    }

private:
    // Tops the buffer up to at least 57 bits; past the end of the input every bit is 0.
    void Fill() {
        if (src_.Available() >= 8) {
            const int k = (64 - count_) >> 3;  // whole bytes that fit, 1..8
            std::uint64_t v = 0;
            const std::uint8_t* p = src_.Peek();
            for (int j = 0; j < 8; ++j) v = (v << 8) | p[j];
            if (k < 8) v = (v >> (64 - 8 * k)) << (64 - 8 * k);
            buf_ |= v >> count_;
            count_ += 8 * k;
            src_.Skip(std::size_t(k));
            return;
        }
        while (count_ <= 56) {
            const int b = src_.Next();
            if (b < 0) ++zeros_;
            buf_ |= std::uint64_t(b < 0 ? 0 : b) << (56 - count_);
            count_ += 8;
        }
    }

    ByteSource& src_;
    std::uint64_t buf_ = 0;
    int count_ = 0;
    std::uint64_t zeros_ = 0;  // zero bytes put in past the end of the input
};

struct Unpacker {
    Huffman huff;
    // Output with the last N bytes kept in front of it: history[N - d] is the byte d places back, and the
    // ring's initial content (positions 4036..4095 zero, 0..4035 spaces) sits there before any output.
    static constexpr std::size_t kChunk = 1 << 16;
    std::uint8_t window[N + kChunk + F + 16];

    int DecodeChar(BitReader& in) {
        const int c = in.DecodeSymbol(huff.son);
        huff.Update(c);
        return c;
    }

    static int DecodePosition(BitReader& in) {
        const unsigned v = in.Peek16();
        const unsigned i = v >> 8;
        const int l = kPos.d_len[i];
        const int low = int(v >> (16 - l - 6)) & 0x3F;
        in.Drop(l + 6);
        return int(kPos.d_code[i]) << 6 | low;
    }

    // Returns the input bytes the bit stream used.
    std::uint64_t Run(std::int32_t textSize, ByteSource& src, ByteSink& sink,
                      std::vector<LzhToken>* trace = nullptr) {
        huff.StartHuff();
        std::memset(window, 0, F);
        std::memset(window + F, ' ', N - F);
        BitReader in(src);
        std::uint8_t* const start = window + N;
        std::uint8_t* pos = start;
        std::uint8_t* const flushAt = start + kChunk;
        std::int64_t left = textSize;
        while (left > 0) {
            if (pos >= flushAt) {
                sink.Write(start, std::size_t(pos - start));
                std::memmove(window, pos - N, N);
                pos = start;
            }
            const int c = DecodeChar(in);
            if (c < 256) {
                if (trace) trace->push_back({0, 0, std::uint8_t(c)});
                *pos++ = std::uint8_t(c);
                --left;
                continue;
            }
            const int position = DecodePosition(in);
            if (trace) trace->push_back({std::uint16_t(c - 253), std::uint16_t(position), 0});
            const std::size_t distance = std::size_t(position) + 1;
            // A damaged stream may end on a match longer than what is left: it stops at the declared size.
            const int length = int(std::min<std::int64_t>(c - 253, left));
            const std::uint8_t* from = pos - distance;
            if (distance >= 8) {
                for (int k = 0; k < length; k += 8) std::memcpy(pos + k, from + k, 8);
            } else {
                for (int k = 0; k < length; ++k) pos[k] = from[k];
            }
            pos += length;
            left -= length;
        }
        sink.Write(start, std::size_t(pos - start));
        return in.BytesUsed();
    }
};

// The tables of one call, allocated at its start and freed at its end.
template <class Tables>
std::unique_ptr<Tables> InitLZH() {
    std::unique_ptr<Tables> t(new (std::nothrow) Tables);
    if (!t) throw ElzhException("LZH : Cannot get memory for dictionary tables");
    return t;
}

void CheckUnpackedSize(std::int64_t size) {
    if (size > kLzhMaxUnpackedSize)
        throw ElzhException("LZH : Unpacked size " + std::to_string(size) + " is beyond the limit of " +
                            std::to_string(kLzhMaxUnpackedSize) + " bytes");
}

// Every coded item takes at least one bit and yields at most F bytes, so packedBytes of bit stream cannot
// honestly stand for more than packedBytes * 8 * F bytes.
void CheckUnpackedSize(std::int64_t size, std::int64_t packedBytes) {
    CheckUnpackedSize(size);
    const std::int64_t most = std::max<std::int64_t>(packedBytes, 0) * 8 * F;
    if (size > most)
        throw ElzhException("LZH : Unpacked size " + std::to_string(size) + " is more than " +
                            std::to_string(packedBytes) + " packed bytes can hold (at most " +
                            std::to_string(most) + ")");
}

std::int32_t PackInto(ByteSource& src, ByteSink& sink, TLZH& owner) {
    auto tables = InitLZH<Packer>();
    auto finder = InitLZH<MatchFinder>();
    tables->sink = &sink;
    const std::int32_t n = tables->Run(src, *finder);
    owner.codesize = tables->codesize;
    owner.code = tables->lastCode;
    owner.len = tables->lastLen;
    return n;
}

// Returns the input bytes the bit stream used.
std::uint64_t UnpackInto(std::int32_t textSize, ByteSource& src, ByteSink& sink,
                         std::vector<LzhToken>* trace = nullptr) {
    CheckUnpackedSize(textSize);
    if (textSize <= 0) return 0;
    auto tables = InitLZH<Unpacker>();
    return tables->Run(textSize, src, sink, trace);
}

std::uint32_t ReadLE32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

}  // namespace

void TLZH::LZHPack(std::int32_t& Bytes_Written, const TReadProc& GetBytes, const TWriteProc& PutBytes) {
    ByteSource src(GetBytes);
    ByteSink sink(PutBytes);
    textsize = 0;
    codesize = 0;
    textsize = PackInto(src, sink, *this);
    Bytes_Written = textsize;
}

void TLZH::LZHUnpack(std::int32_t TextSize, const TReadProc& GetBytes, const TWriteProc& PutBytes) {
    ByteSource src(GetBytes);
    ByteSink sink(PutBytes);
    UnpackInto(TextSize, src, sink);
}

void TLZH::GetBlockStream(void* DTA, std::uint16_t NBytes, std::uint16_t& Bytes_Got) {
    Bytes_Got = NBytes;
    const std::int64_t left = StreamIn->Size() - StreamIn->Position();
    if (left < NBytes) Bytes_Got = std::uint16_t(std::max<std::int64_t>(left, 0));
    StreamIn->ReadBuffer(DTA, Bytes_Got);
}

void TLZH::PutBlockStream(void* DTA, std::uint16_t NBytes, std::uint16_t& Bytes_Got) {
    Bytes_Got = NBytes;
    StreamOut->WriteBuffer(DTA, NBytes);
}

TReadProc TLZH::StreamReader() {
    return [this](void* d, std::uint16_t n, std::uint16_t& got) { GetBlockStream(d, n, got); };
}

TWriteProc TLZH::StreamWriter() {
    return [this](void* d, std::uint16_t n, std::uint16_t& put) { PutBlockStream(d, n, put); };
}

// ---- Framed helpers

std::int64_t LzhDeclaredSize(std::span<const std::uint8_t> packed) {
    return packed.size() < 4 ? -1 : std::int64_t(ReadLE32(packed.data()));
}

std::vector<std::uint8_t> LzhPackBytes(std::span<const std::uint8_t> data) {
    const auto size = std::uint32_t(data.size());
    std::vector<std::uint8_t> out{std::uint8_t(size), std::uint8_t(size >> 8), std::uint8_t(size >> 16),
                                  std::uint8_t(size >> 24)};
    out.reserve(data.size() / 2 + 64);
    ByteSource src(data);
    ByteSink sink(out);
    TLZH owner;
    PackInto(src, sink, owner);
    return out;
}

std::vector<std::uint8_t> LzhUnpackBytes(std::span<const std::uint8_t> packed) {
    const std::int64_t size = LzhDeclaredSize(packed);
    if (size < 0) throw ElzhException("LZH : Packed data too short for its size prefix");
    CheckUnpackedSize(size, std::int64_t(packed.size()) - 4);
    std::vector<std::uint8_t> out;
    out.reserve(std::size_t(size));
    ByteSource src(packed.subspan(4));
    ByteSink sink(out);
    UnpackInto(std::int32_t(size), src, sink);
    return out;
}

std::vector<LzhToken> LzhTokens(std::span<const std::uint8_t> packed) {
    const std::int64_t size = LzhDeclaredSize(packed);
    if (size < 0) throw ElzhException("LZH : Packed data too short for its size prefix");
    CheckUnpackedSize(size, std::int64_t(packed.size()) - 4);
    std::vector<std::uint8_t> out;
    std::vector<LzhToken> tokens;
    ByteSource src(packed.subspan(4));
    ByteSink sink(out);
    UnpackInto(std::int32_t(size), src, sink, &tokens);
    return tokens;
}

void LzhUnpackStream(TStream& source, TStream& dest) {
    source.SetPosition(0);
    dest.SetPosition(0);
    std::uint8_t prefix[4];
    if (source.Read(prefix, 4) != 4) throw ElzhException("LZH : Packed data too short for its size prefix");
    const std::int64_t size = ReadLE32(prefix);
    CheckUnpackedSize(size, source.Size() - 4);
    std::uint64_t used = 0;
    if (auto* mem = dynamic_cast<TMemoryStream*>(&source)) {
        std::vector<std::uint8_t> out;
        out.reserve(std::size_t(size));
        ByteSource src(std::span<const std::uint8_t>(mem->Bytes()).subspan(4));
        ByteSink sink(out);
        used = UnpackInto(std::int32_t(size), src, sink);
        dest.WriteBuffer(out.data(), std::int64_t(out.size()));
    } else {
        TLZH lzh(&source, &dest);
        const TReadProc get = lzh.StreamReader();
        const TWriteProc put = lzh.StreamWriter();
        ByteSource src(get);
        ByteSink sink(put);
        used = UnpackInto(std::int32_t(size), src, sink);
    }
    // The input is read ahead in blocks; a caller that reads on after the packed block finds its place.
    source.SetPosition(4 + std::int64_t(used));
}

void LzhPackStream(TStream& source, TStream& dest) {
    source.SetPosition(0);
    dest.SetPosition(0);
    dest.WriteInt32(std::int32_t(source.Size()));
    if (auto* mem = dynamic_cast<TMemoryStream*>(&source)) {
        ByteSource src(mem->Bytes());
        TLZH lzh(&source, &dest);
        const TWriteProc put = lzh.StreamWriter();
        ByteSink sink(put);
        PackInto(src, sink, lzh);
        source.SetPosition(source.Size());
        return;
    }
    TLZH lzh(&source, &dest);
    std::int32_t written = 0;
    lzh.LZHPack(written, lzh.StreamReader(), lzh.StreamWriter());
}
