#include "platform/browser/WebBrowser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <functional>

#include "platform/browser/PageDecoding.h"

namespace {

QString ToQt(const AnsiString& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

AnsiString FromQt(const QString& s) {
    return s.toUtf8().toStdString();
}

QByteArray BytesOf(const AnsiString& s) {
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

// What a navigation text names: an existing local path, an absolute URL, a
// URL relative to the current document, or else what a user would mean by
// it (a path below the working directory, or a host name).
QUrl ResolveTarget(const AnsiString& text, const QUrl& current) {
    const QString target = ToQt(text).trimmed();
    if (!target.isEmpty() && QFileInfo::exists(target))
        return QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
    const QUrl url(target);
    if (!url.isRelative()) return url;
    if (!current.isEmpty()) return current.resolved(url);
    return QUrl::fromUserInput(target, QDir::currentPath(), QUrl::AssumeLocalFile);
}

// The charset parameter of a Content-Type header.
QByteArray CharsetOf(const QByteArray& contentType) {
    for (const QByteArray& part : contentType.split(';')) {
        const QByteArray p = part.trimmed();
        if (p.toLower().startsWith("charset=")) {
            QByteArray name = p.mid(8).trimmed();
            if (name.startsWith('"') && name.endsWith('"') && name.size() >= 2) name = name.mid(1, name.size() - 2);
            return name;
        }
    }
    return {};
}

// Header lines "Name: value", separated by CR LF (or LF alone).
void AddHeaders(QNetworkRequest& request, const AnsiString& headers) {
    for (QByteArray line : BytesOf(headers).split('\n')) {
        line = line.trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0) continue;
        request.setRawHeader(line.left(colon).trimmed(), line.mid(colon + 1).trimmed());
    }
}

}  // namespace

// Network loads: one at a time; a new navigation drops the one under way.
struct TCppWebBrowser::Loader {
    using Done = std::function<void(const QByteArray& bytes, const QByteArray& charset)>;

    ~Loader() { Abort(); }

    void Start(const QUrl& url, const std::optional<AnsiString>& postData,
               const std::optional<AnsiString>& headers, Done done) {
        if (!network) network = std::make_unique<QNetworkAccessManager>();
        QNetworkRequest request(url);
        if (headers) AddHeaders(request, *headers);
        if (postData) {
            if (!request.hasRawHeader("Content-Type"))
                request.setHeader(QNetworkRequest::ContentTypeHeader, "application/x-www-form-urlencoded");
            reply = network->post(request, BytesOf(*postData));
        } else {
            reply = network->get(request);
        }
        QNetworkReply* r = reply;
        QObject::connect(r, &QNetworkReply::finished, r, [this, r, done = std::move(done)] {
            reply = nullptr;
            r->deleteLater();
            if (r->error() != QNetworkReply::NoError) done({}, {});
            else done(r->readAll(), CharsetOf(r->header(QNetworkRequest::ContentTypeHeader).toByteArray()));
        });
    }

    void Abort() {
        if (!reply) return;
        QNetworkReply* r = reply;
        reply = nullptr;
        r->disconnect();
        r->abort();
        r->deleteLater();
    }

    std::unique_ptr<QNetworkAccessManager> network;
    QPointer<QNetworkReply> reply;
};

TCppWebBrowser::TCppWebBrowser(TComponent* owner)
    : TWinControl(owner, new QTextBrowser), loader_(std::make_unique<Loader>()) {
    auto* view = static_cast<QTextBrowser*>(Widget());
    // Links lead to the next document of this control, not to the view's own loading.
    view->setOpenLinks(false);
    QObject::connect(view, &QTextBrowser::anchorClicked, view, [this](const QUrl& link) {
        Navigate(FromQt(QUrl(ToQt(location_)).resolved(link).toString()));
    });
}

TCppWebBrowser::~TCppWebBrowser() = default;

void TCppWebBrowser::Navigate(const AnsiString& URL, const std::optional<int>& /*Flags*/,
                              const std::optional<AnsiString>& /*TargetFrameName*/,
                              const std::optional<AnsiString>& PostData, const std::optional<AnsiString>& Headers) {
    loader_->Abort();
    const QUrl target = ResolveTarget(URL, QUrl(ToQt(location_)));
    const AnsiString location = FromQt(target.toString());
    const QString scheme = target.scheme().toLower();
    if (target.isLocalFile()) {
        QFile file(target.toLocalFile());
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        ShowDocument(location, PageToUtf8(bytes));
    } else if (scheme == "http" || scheme == "https") {
        loader_->Start(target, PostData, Headers, [this, location](const QByteArray& bytes, const QByteArray& charset) {
            ShowDocument(location, PageToUtf8(bytes, charset));
        });
    } else {
        ShowDocument(location, {});
    }
}

void TCppWebBrowser::ShowDocument(const AnsiString& url, const std::string& utf8Markup) {
    document_ = IHTMLDocument2::Parse(utf8Markup);
    location_ = url;
    static_cast<QTextBrowser*>(Widget())->setHtml(QString::fromStdString(utf8Markup));
    if (OnDocumentComplete) OnDocumentComplete(this);
}

const IHTMLDocument2* TCppWebBrowser::Document() const {
    return document_.get();
}

AnsiString TCppWebBrowser::LocationURL() const {
    return location_;
}

bool TCppWebBrowser::Busy() const {
    return !loader_->reply.isNull();
}
