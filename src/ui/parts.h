#pragma once
// What the window hands to the layers below it: the desktop services, the page fetcher, the
// drawings' context, the window as the search sees it, and the formula search.

#include "platform/desktop.h"
#include "platform/qttransfer.h"
#include "search/formulasearch.h"
#include "ui/form1.h"
#include "ui/searchview.h"
#include "web/fetcher.h"
#include "web/images.h"

namespace kestrix {

struct Form1::Parts {
    Parts(Form1& window, const Services& services)
        : messages(services.messages ? services.messages : &ownmessages),
          opener(services.opener ? services.opener : &ownopener), ownmessages(&window),
          view(window, *messages, events),
          fetcher(*window.Inet1, view, events, *messages, &window.shtml, &politeness),
          picture(window.Picture1),
          // The cache directory comes with Form_Load.
          images{.scachedir = {}, .pages = fetcher, .picture = picture},
          search(view,
                 {window.scachedir, &fetcher, fetcher, images, services.searchpause, &politeness}) {
    }

    MessageBoxes* messages;
    DocumentOpener* opener;
    QtMessageBoxes ownmessages;
    DesktopOpener ownopener;
    QtEvents events;
    SearchView view;
    Politeness politeness;
    Fetcher fetcher;
    PictureBox picture;
    ImageContext images;
    FormulaSearch search;
};

} // namespace kestrix
