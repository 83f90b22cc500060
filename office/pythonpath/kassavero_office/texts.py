# SPDX-License-Identifier: GPL-3.0-or-later
"""The texts the extension shows, in the six languages of the program; the language
is LibreOffice's interface language."""

TEXTS = {
    "en": {
        "not_running": "Kassavero is not running, so nothing was changed.\n\nStart Kassavero"
                       " from the applications menu (or run \"kassavero\" in a terminal), "
                       "then choose Convert amounts again.",
        "lost": "The connection to Kassavero was lost: the program ended or stopped answering.",
        "program_ended": "Kassavero was closed during the conversion. The %d amounts converted "
                         "before stay in the document.",
        "read_only": "This document is open read-only, so nothing was changed.\n\nOpen it for "
                     "editing (Edit > Edit Mode, or save a copy) and choose Convert amounts "
                     "again.",
        "protected": "Amounts stand in a write-protected part of the document (a section, frame "
                     "or table cell), so nothing was changed.\n\nRemove the protection, or "
                     "select only the text to convert, and choose Convert amounts again.",
        "no_dbus": "The Kassavero extension needs the package python3-dbus to reach "
                   "the program. Install it (apt install python3-dbus) and restart "
                   "LibreOffice.",
        "refused": "Kassavero refused the conversion:\n\n%s",
        "failed": "The conversion stopped because the document could not be changed:"
                  "\n\n%s",
        "kept": "\n\nThe %d amounts converted before stay in the document.",
        "writer_done": "%d of %d amounts found were converted.",
        "writer_none": "No amounts to convert were found.",
        "calc_done": "Converted: %d constant cells, %d formulas.",
        "no_session": "Kassavero could not start a conversion: all its conversion "
                      "sessions are in use. Finish or close the other conversions, or "
                      "restart Kassavero.",
        "cancelled": "The conversion was cancelled. The %d amounts converted before stay"
                     " in the document.",
        "wrong_document": "Convert amounts works in Writer documents and Calc spreadsheets.",
        "dialog_title": "Kassavero: convert amounts",
        "source": "~From currency:",
        "target": "~To currency:",
        "selection_only": "Only the ~selected cells",
        "convert": "~Convert",
        "cancel": "Cancel",
        "same_currency": "Choose two different currencies.",
    },
    "de": {
        "not_running": "Kassavero läuft nicht, deshalb wurde nichts geändert.\n\nStarten Sie"
                       " Kassavero aus dem Anwendungsmenü (oder mit dem Befehl \"kassavero\""
                       " im Terminal) und wählen Sie dann erneut Beträge umrechnen.",
        "lost": "Die Verbindung zu Kassavero ist abgerissen: das Programm wurde beendet oder "
                "antwortet nicht mehr.",
        "program_ended": "Kassavero wurde während der Umrechnung beendet. Die %d zuvor "
                         "umgerechneten Beträge bleiben im Dokument.",
        "read_only": "Dieses Dokument ist schreibgeschützt geöffnet, deshalb wurde nichts "
                     "geändert.\n\nÖffnen Sie es zum Bearbeiten (Bearbeiten > Bearbeitungsmodus, "
                     "oder speichern Sie eine Kopie) und wählen Sie erneut Beträge umrechnen.",
        "protected": "Beträge stehen in einem schreibgeschützten Teil des Dokuments (Bereich, "
                     "Rahmen oder Tabellenzelle), deshalb wurde nichts geändert.\n\nHeben Sie "
                     "den Schutz auf oder markieren Sie nur den umzurechnenden Text und wählen "
                     "Sie erneut Beträge umrechnen.",
        "no_dbus": "Die Kassavero-Erweiterung braucht das Paket python3-dbus, um das "
                   "Programm zu erreichen. Installieren Sie es (apt install "
                   "python3-dbus) und starten Sie LibreOffice neu.",
        "refused": "Kassavero hat die Umrechnung abgelehnt:\n\n%s",
        "failed": "Die Umrechnung wurde angehalten, weil sich das Dokument nicht "
                  "ändern ließ:\n\n%s",
        "kept": "\n\nDie %d zuvor umgerechneten Beträge bleiben im Dokument.",
        "writer_done": "%d von %d gefundenen Beträgen wurden umgerechnet.",
        "writer_none": "Es wurden keine umzurechnenden Beträge gefunden.",
        "calc_done": "Umgerechnet: %d Zellen mit Konstanten, %d Formeln.",
        "no_session": "Kassavero konnte keine Umrechnung beginnen: alle "
                      "Umrechnungssitzungen sind belegt. Beenden Sie die anderen "
                      "Umrechnungen oder starten Sie Kassavero neu.",
        "cancelled": "Die Umrechnung wurde abgebrochen. Die %d zuvor umgerechneten "
                     "Beträge bleiben im Dokument.",
        "wrong_document": "Beträge umrechnen arbeitet in Writer-Dokumenten und Calc-Tabellen.",
        "dialog_title": "Kassavero: Beträge umrechnen",
        "source": "~Von Währung:",
        "target": "~In Währung:",
        "selection_only": "Nur die ~markierten Zellen",
        "convert": "~Umrechnen",
        "cancel": "Abbrechen",
        "same_currency": "Wählen Sie zwei verschiedene Währungen.",
    },
    "fr": {
        "not_running": "Kassavero n'est pas lancé, rien n'a donc été modifié.\n\nLancez "
                       "Kassavero depuis le menu des applications (ou avec la commande "
                       "\"kassavero\" dans un terminal), puis choisissez de nouveau "
                       "Convertir les montants.",
        "lost": "La connexion avec Kassavero a été perdue : le programme s'est arrêté ou ne "
                "répond plus.",
        "program_ended": "Kassavero a été fermé pendant la conversion. Les %d montants "
                         "convertis auparavant restent dans le document.",
        "read_only": "Ce document est ouvert en lecture seule, rien n'a donc été "
                     "modifié.\n\nOuvrez-le en modification (Édition > Mode édition, ou "
                     "enregistrez une copie) et choisissez de nouveau Convertir les montants.",
        "protected": "Des montants se trouvent dans une partie protégée du document (section, "
                     "cadre ou cellule de tableau), rien n'a donc été modifié.\n\nLevez la "
                     "protection, ou sélectionnez seulement le texte à convertir, et choisissez "
                     "de nouveau Convertir les montants.",
        "no_dbus": "L'extension Kassavero a besoin du paquet python3-dbus pour joindre"
                   " le programme. Installez-le (apt install python3-dbus) et "
                   "redémarrez LibreOffice.",
        "refused": "Kassavero a refusé la conversion :\n\n%s",
        "failed": "La conversion s'est arrêtée car le document n'a pas pu être "
                  "modifié :\n\n%s",
        "kept": "\n\nLes %d montants convertis auparavant restent dans le document.",
        "writer_done": "%d montants convertis sur %d trouvés.",
        "writer_none": "Aucun montant à convertir n'a été trouvé.",
        "calc_done": "Convertis : %d cellules constantes, %d formules.",
        "no_session": "Kassavero n'a pas pu commencer de conversion : toutes ses sessions"
                      " de conversion sont occupées. Terminez ou fermez les autres "
                      "conversions, ou redémarrez Kassavero.",
        "cancelled": "La conversion a été annulée. Les %d montants convertis auparavant "
                     "restent dans le document.",
        "wrong_document": "Convertir les montants fonctionne dans les documents Writer et les"
                          " classeurs Calc.",
        "dialog_title": "Kassavero : convertir les montants",
        "source": "~De la devise :",
        "target": "~Vers la devise :",
        "selection_only": "Seulement les cellules ~sélectionnées",
        "convert": "~Convertir",
        "cancel": "Annuler",
        "same_currency": "Choisissez deux devises différentes.",
    },
    "nl": {
        "not_running": "Kassavero is niet gestart, daarom is er niets gewijzigd.\n\nStart "
                       "Kassavero vanuit het toepassingenmenu (of met de opdracht "
                       "\"kassavero\" in een terminal) en kies daarna opnieuw Bedragen "
                       "omrekenen.",
        "lost": "De verbinding met Kassavero is verbroken: het programma is beëindigd of "
                "antwoordt niet meer.",
        "program_ended": "Kassavero is tijdens het omrekenen afgesloten. De %d eerder "
                         "omgerekende bedragen blijven in het document.",
        "read_only": "Dit document is alleen-lezen geopend, daarom is er niets "
                     "gewijzigd.\n\nOpen het om te bewerken (Bewerken > Bewerkingsmodus, of sla "
                     "een kopie op) en kies opnieuw Bedragen omrekenen.",
        "protected": "Er staan bedragen in een beveiligd deel van het document (sectie, frame of "
                     "tabelcel), daarom is er niets gewijzigd.\n\nHef de beveiliging op of "
                     "selecteer alleen de om te rekenen tekst en kies opnieuw Bedragen omrekenen.",
        "no_dbus": "De Kassavero-extensie heeft het pakket python3-dbus nodig om het "
                   "programma te bereiken. Installeer het (apt install python3-dbus) "
                   "en start LibreOffice opnieuw.",
        "refused": "Kassavero heeft de omrekening geweigerd:\n\n%s",
        "failed": "De omrekening is gestopt omdat het document niet gewijzigd kon "
                  "worden:\n\n%s",
        "kept": "\n\nDe %d eerder omgerekende bedragen blijven in het document.",
        "writer_done": "%d van de %d gevonden bedragen zijn omgerekend.",
        "writer_none": "Er zijn geen om te rekenen bedragen gevonden.",
        "calc_done": "Omgerekend: %d cellen met constanten, %d formules.",
        "no_session": "Kassavero kon geen omrekening beginnen: alle omrekensessies zijn "
                      "bezet. Beëindig of sluit de andere omrekeningen, of start "
                      "Kassavero opnieuw.",
        "cancelled": "De omrekening is afgebroken. De %d eerder omgerekende bedragen "
                     "blijven in het document.",
        "wrong_document": "Bedragen omrekenen werkt in Writer-documenten en Calc-werkbladen.",
        "dialog_title": "Kassavero: bedragen omrekenen",
        "source": "~Van valuta:",
        "target": "~Naar valuta:",
        "selection_only": "Alleen de ~geselecteerde cellen",
        "convert": "~Omrekenen",
        "cancel": "Annuleren",
        "same_currency": "Kies twee verschillende valuta's.",
    },
    "es": {
        "not_running": "Kassavero no está en ejecución, por lo que no se ha cambiado nada."
                       "\n\nInicie Kassavero desde el menú de aplicaciones (o con la orden "
                       "\"kassavero\" en un terminal) y elija de nuevo Convertir importes.",
        "lost": "Se ha perdido la conexión con Kassavero: el programa se cerró o ya no responde.",
        "program_ended": "Kassavero se cerró durante la conversión. Los %d importes convertidos "
                         "antes se quedan en el documento.",
        "read_only": "Este documento está abierto en modo de solo lectura, así que no se ha "
                     "cambiado nada.\n\nÁbralo para editarlo (Editar > Modo de edición, o guarde "
                     "una copia) y elija de nuevo Convertir importes.",
        "protected": "Hay importes en una parte protegida del documento (sección, marco o celda "
                     "de tabla), así que no se ha cambiado nada.\n\nQuite la protección, o "
                     "seleccione solo el texto que quiere convertir, y elija de nuevo Convertir "
                     "importes.",
        "no_dbus": "La extensión de Kassavero necesita el paquete python3-dbus para "
                   "comunicarse con el programa. Instálelo (apt install python3-dbus) "
                   "y reinicie LibreOffice.",
        "refused": "Kassavero ha rechazado la conversión:\n\n%s",
        "failed": "La conversión se ha detenido porque no se pudo modificar el "
                  "documento:\n\n%s",
        "kept": "\n\nLos %d importes convertidos antes se quedan en el documento.",
        "writer_done": "Se han convertido %d de los %d importes encontrados.",
        "writer_none": "No se han encontrado importes que convertir.",
        "calc_done": "Convertido: %d celdas con constantes, %d fórmulas.",
        "no_session": "Kassavero no ha podido iniciar una conversión: todas sus sesiones "
                      "de conversión están ocupadas. Termine o cierre las otras "
                      "conversiones, o reinicie Kassavero.",
        "cancelled": "Se ha cancelado la conversión. Los %d importes convertidos antes "
                     "se quedan en el documento.",
        "wrong_document": "Convertir importes funciona en documentos de Writer y hojas de "
                          "cálculo de Calc.",
        "dialog_title": "Kassavero: convertir importes",
        "source": "~De la moneda:",
        "target": "~A la moneda:",
        "selection_only": "Solo las celdas ~seleccionadas",
        "convert": "~Convertir",
        "cancel": "Cancelar",
        "same_currency": "Elija dos monedas distintas.",
    },
    "it": {
        "not_running": "Kassavero non è in esecuzione, quindi non è stato modificato "
                       "nulla.\n\nAvviare Kassavero dal menu delle applicazioni (o con il "
                       "comando \"kassavero\" in un terminale), poi scegliere di nuovo "
                       "Converti importi.",
        "lost": "La connessione con Kassavero si è interrotta: il programma è stato chiuso o non "
                "risponde più.",
        "program_ended": "Kassavero è stato chiuso durante la conversione. I %d importi "
                         "convertiti prima restano nel documento.",
        "read_only": "Questo documento è aperto in sola lettura, quindi non è stato modificato "
                     "nulla.\n\nApritelo in modifica (Modifica > Modo modifica, o salvatene una "
                     "copia) e scegliete di nuovo Converti importi.",
        "protected": "Ci sono importi in una parte protetta del documento (sezione, cornice o "
                     "cella di tabella), quindi non è stato modificato nulla.\n\nTogliete la "
                     "protezione, o selezionate solo il testo da convertire, e scegliete di "
                     "nuovo Converti importi.",
        "no_dbus": "L'estensione Kassavero ha bisogno del pacchetto python3-dbus per "
                   "raggiungere il programma. Installarlo (apt install python3-dbus) e"
                   " riavviare LibreOffice.",
        "refused": "Kassavero ha rifiutato la conversione:\n\n%s",
        "failed": "La conversione si è fermata perché non è stato possibile "
                  "modificare il documento:\n\n%s",
        "kept": "\n\nI %d importi convertiti prima restano nel documento.",
        "writer_done": "Sono stati convertiti %d dei %d importi trovati.",
        "writer_none": "Non è stato trovato alcun importo da convertire.",
        "calc_done": "Convertiti: %d celle con costanti, %d formule.",
        "no_session": "Kassavero non ha potuto iniziare una conversione: tutte le "
                      "sessioni di conversione sono occupate. Terminare o chiudere le "
                      "altre conversioni, oppure riavviare Kassavero.",
        "cancelled": "La conversione è stata annullata. I %d importi convertiti prima "
                     "restano nel documento.",
        "wrong_document": "Converti importi funziona nei documenti Writer e nei fogli di "
                          "calcolo Calc.",
        "dialog_title": "Kassavero: converti importi",
        "source": "~Dalla valuta:",
        "target": "~Alla valuta:",
        "selection_only": "Solo le celle ~selezionate",
        "convert": "~Converti",
        "cancel": "Annulla",
        "same_currency": "Scegliere due valute diverse.",
    },
}
