#include "fatturapa/sdi_signature.h"

#include <openssl/bio.h>
#include <openssl/cms.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pkcs12.h>
#include <openssl/x509.h>

#include <cctype>
#include <climits>
#include <memory>

#include "fatturapa/sdi_files.h"

namespace qorvana {
namespace {

struct SslFree {
    void operator()(BIO* p) const { BIO_free(p); }
    void operator()(PKCS12* p) const { PKCS12_free(p); }
    void operator()(EVP_PKEY* p) const { EVP_PKEY_free(p); }
    void operator()(X509* p) const { X509_free(p); }
    void operator()(STACK_OF(X509) * p) const { sk_X509_pop_free(p, X509_free); }
    void operator()(CMS_ContentInfo* p) const { CMS_ContentInfo_free(p); }
};
template <typename T>
using SslPtr = std::unique_ptr<T, SslFree>;

SslPtr<BIO> MemoryOf(std::string_view bytes) {
    if (bytes.size() > static_cast<std::size_t>(INT_MAX)) return nullptr;
    return SslPtr<BIO>(BIO_new_mem_buf(bytes.data(), static_cast<int>(bytes.size())));
}

std::string BytesOf(BIO* bio) {
    char* data = nullptr;
    const long size = BIO_get_mem_data(bio, &data);
    return size > 0 ? std::string(data, static_cast<std::size_t>(size)) : std::string();
}

// A signed-data structure in DER; nullptr when the bytes are not one.
SslPtr<CMS_ContentInfo> SignedDataOfDer(std::string_view der) {
    SslPtr<BIO> in = MemoryOf(der);
    if (!in) return nullptr;
    SslPtr<CMS_ContentInfo> cms(d2i_CMS_bio(in.get(), nullptr));
    ERR_clear_error();
    if (!cms || OBJ_obj2nid(CMS_get0_type(cms.get())) != NID_pkcs7_signed) return nullptr;
    return cms;
}

// The signed-data structure of a .p7m in DER or, as some signing programs write it, in base64.
SslPtr<CMS_ContentInfo> SignedData(std::string_view p7m) {
    if (auto cms = SignedDataOfDer(p7m)) return cms;
    SslPtr<BIO> text = MemoryOf(p7m);
    if (!text) return nullptr;
    BIO* base64 = BIO_new(BIO_f_base64());
    if (base64 == nullptr) return nullptr;
    BIO* chain = BIO_push(base64, text.release());  // freed whole below
    std::string der;
    char buffer[4096];
    for (int n; (n = BIO_read(chain, buffer, sizeof buffer)) > 0;)
        der.append(buffer, static_cast<std::size_t>(n));
    BIO_free_all(chain);
    ERR_clear_error();
    if (der.empty()) return nullptr;
    return SignedDataOfDer(der);
}

// The content enveloped in the structure; nullopt for a detached signature.
std::optional<std::string> ContentOf(CMS_ContentInfo* cms) {
    ASN1_OCTET_STRING** content = CMS_get0_content(cms);
    if (content == nullptr || *content == nullptr) return std::nullopt;
    return std::string(reinterpret_cast<const char*>(ASN1_STRING_get0_data(*content)),
                       static_cast<std::size_t>(ASN1_STRING_length(*content)));
}

bool EverySignerHasSigningTime(CMS_ContentInfo* cms) {
    STACK_OF(CMS_SignerInfo)* signers = CMS_get0_SignerInfos(cms);
    if (signers == nullptr) return false;
    for (int i = 0; i < sk_CMS_SignerInfo_num(signers); ++i)
        if (CMS_signed_get_attr_by_NID(sk_CMS_SignerInfo_value(signers, i), NID_pkcs9_signingTime,
                                       -1) < 0)
            return false;
    return true;
}

}  // namespace

Result<std::string> SignCadesBes(std::string_view content, std::string_view pkcs12,
                                 const std::string& password) {
    SslPtr<BIO> p12In = MemoryOf(pkcs12);
    SslPtr<PKCS12> p12(p12In ? d2i_PKCS12_bio(p12In.get(), nullptr) : nullptr);
    if (!p12) {
        ERR_clear_error();
        return Failure{"il file del certificato non è un file PKCS#12 (.p12 o .pfx)"};
    }
    EVP_PKEY* rawKey = nullptr;
    X509* rawCert = nullptr;
    STACK_OF(X509)* rawChain = nullptr;
    const bool opened =
        PKCS12_parse(p12.get(), password.c_str(), &rawKey, &rawCert, &rawChain) == 1;
    SslPtr<EVP_PKEY> key(rawKey);
    SslPtr<X509> cert(rawCert);
    SslPtr<STACK_OF(X509)> chain(rawChain);
    ERR_clear_error();
    if (!opened) return Failure{"il certificato non si apre: la password non è quella giusta"};
    if (!key || !cert)
        return Failure{"il file del certificato non contiene la chiave e il certificato"};

    SslPtr<BIO> in = MemoryOf(content);
    if (!in) return Failure{"il file da firmare è troppo grande"};
    // Partial first, so that the signer can be added with the CAdES attribute.
    SslPtr<CMS_ContentInfo> cms(
        CMS_sign(nullptr, nullptr, chain.get(), nullptr, CMS_BINARY | CMS_PARTIAL));
    const bool signedOk = cms &&
                          CMS_add1_signer(cms.get(), cert.get(), key.get(), EVP_sha256(),
                                          CMS_BINARY | CMS_CADES) != nullptr &&
                          CMS_final(cms.get(), in.get(), nullptr, CMS_BINARY) == 1;
    SslPtr<BIO> out(BIO_new(BIO_s_mem()));
    if (!signedOk || !out || i2d_CMS_bio(out.get(), cms.get()) != 1) {
        const unsigned long error = ERR_get_error();
        ERR_clear_error();
        char text[256] = "";
        ERR_error_string_n(error, text, sizeof text);
        LogOriginal("firma", text);
        return Failure{
            "la firma non è riuscita: la chiave e il certificato del file .p12 non si possono "
            "usare per firmare (controllare che il certificato sia di firma e non scaduto)"};
    }
    return BytesOf(out.get());
}

std::optional<std::string> SignedContent(std::string_view p7m) {
    const SslPtr<CMS_ContentInfo> cms = SignedData(p7m);
    return cms ? ContentOf(cms.get()) : std::nullopt;
}

SignatureCheck VerifySignedFile(std::string_view p7m) {
    using Result = SignatureCheck::Result;
    const SslPtr<CMS_ContentInfo> cms = SignedData(p7m);
    std::optional<std::string> content = cms ? ContentOf(cms.get()) : std::nullopt;
    if (!content || content->empty()) return {};
    SignatureCheck check{Result::Verified, std::move(*content), {}};
    // The signer's certificate travels in the file; its chain is the trust list's business.
    const bool verified = CMS_verify(cms.get(), nullptr, nullptr, nullptr, nullptr,
                                     CMS_NO_SIGNER_CERT_VERIFY | CMS_BINARY) == 1;
    if (!verified) {
        char text[256] = "";
        ERR_error_string_n(ERR_get_error(), text, sizeof text);
        check.result = Result::Broken;
        check.reason = text;
    } else if (!EverySignerHasSigningTime(cms.get())) {
        check.result = Result::NoSigningTime;
    }
    ERR_clear_error();
    return check;
}

bool IsSignedFileName(std::string_view name) {
    if (name.size() < 4) return false;
    std::string tail(name.substr(name.size() - 4));
    for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return tail == ".p7m";
}

}  // namespace qorvana
