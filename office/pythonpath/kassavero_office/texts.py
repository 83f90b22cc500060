# SPDX-License-Identifier: GPL-3.0-or-later
"""The texts the extension shows, in the six languages of the program; the language
is LibreOffice's interface language. A count takes the key with "_one" or "_other"
(counted())."""

TEXTS = {
    "en": {
        "not_running": "Kassavero is not running, so nothing was changed.\n\nStart Kassavero "
                       "from the applications menu (or run \"kassavero\" in a terminal), then "
                       "choose Convert amounts again.",
        "lost": "The connection to Kassavero was lost: the program ended or stopped answering.",
        "program_ended": "Kassavero was closed during the conversion.",
        "read_only": "This document is open read-only, so nothing was changed.\n\nOpen it for "
                     "editing (Edit > Edit Mode, or save a copy) and choose Convert amounts "
                     "again.",
        "protected": "Amounts stand in a write-protected part of the document (a section, "
                     "frame or table cell), so nothing was changed.\n\nRemove the protection, "
                     "or select only the text to convert, and choose Convert amounts again.",
        "no_dbus": "The Kassavero extension needs the package python3-dbus to reach the "
                   "program. Install it (apt install python3-dbus) and restart LibreOffice.",
        "refused": "Kassavero refused the conversion:\n\n%s",
        "failed": "The conversion stopped because the document could not be changed:\n\n%s",
        "writer_none": "No amounts to convert were found.",
        "no_session": "Kassavero could not start a conversion: all its conversion sessions "
                      "are in use. Finish or close the other conversions, or restart "
                      "Kassavero.",
        "cancelled": "The conversion was cancelled.",
        "wrong_document": "Convert amounts works in Writer documents and Calc spreadsheets.",
        "dialog_title": "Kassavero: convert amounts",
        "source": "~From currency:",
        "target": "~To currency:",
        "selection_only": "Only the ~selected cells",
        "convert": "~Convert",
        "cancel": "Cancel",
        "same_currency": "Choose two different currencies.",
        "kept_none": "Nothing was changed.",
        "kept_one": "The %d amount converted before stays in the document.",
        "kept_other": "The %d amounts converted before stay in the document.",
        "writer_done_one": "%d of %d amount found was converted.",
        "writer_done_other": "%d of %d amounts found were converted.",
        "in_changes_one": "%d amount inside a pending tracked change was left as it is: "
                          "accept or reject that change first, then convert again.",
        "in_changes_other": "%d amounts inside pending tracked changes were left as they are: "
                            "accept or reject those changes first, then convert again.",
        "in_boxes_one": "%d amount in a drawing text box was left as it is: LibreOffice "
                        "records no tracked changes there. Convert it with tracked changes "
                        "off (Kassavero's settings, page Applications) or by hand.",
        "in_boxes_other": "%d amounts in drawing text boxes were left as they are: "
                          "LibreOffice records no tracked changes there. Convert them with "
                          "tracked changes off (Kassavero's settings, page Applications) or "
                          "by hand.",
        "missed_one": "%d amount was not recognised by Kassavero, “%s”: check the decimal and "
                      "thousands separators on the page Search: numbers of Kassavero's "
                      "settings.",
        "missed_other": "%d amounts were not recognised by Kassavero, for example “%s”: check "
                        "the decimal and thousands separators on the page Search: numbers of "
                        "Kassavero's settings.",
        "calc_done": "Converted: %s, %s.",
        "cells_one": "%d cell with a constant",
        "cells_other": "%d cells with constants",
        "formulas_one": "%d formula",
        "formulas_other": "%d formulas",
        "plain_left_one": "%d number without a currency format (an article number, a quantity "
                          "...) was left as it is.",
        "plain_left_other": "%d numbers without a currency format (article numbers, "
                            "quantities ...) were left as they are.",
        "calc_protected": "Cells to convert are on a protected sheet, so nothing was "
                          "changed.\n\nRemove the protection (Tools > Protect Sheet) and "
                          "choose Convert amounts again.",
        "session_lost": "Kassavero's conversion session was closed by another program during "
                        "the run, so the conversion stopped.",
        "foreign": "Kassavero answered about a text the extension had not sent, so the "
                   "conversion stopped and the answer was not used:\n\n%s",
        "plain_numbers": "Also convert ~numbers without a currency format",
        "scope_sheet": "No cells are selected: the whole sheet “%s” is converted.",
        "scope_hint": "Cells formatted in the source currency are converted and get the "
                      "target currency's format.",
    },
    "de": {
        "not_running": "Kassavero läuft nicht, deshalb wurde nichts geändert.\n\nStarten Sie "
                       "Kassavero aus dem Anwendungsmenü (oder mit dem Befehl \"kassavero\" "
                       "im Terminal) und wählen Sie dann erneut Beträge umrechnen.",
        "lost": "Die Verbindung zu Kassavero ist abgerissen: das Programm wurde beendet oder "
                "antwortet nicht mehr.",
        "program_ended": "Kassavero wurde während der Umrechnung beendet.",
        "read_only": "Dieses Dokument ist schreibgeschützt geöffnet, deshalb wurde nichts "
                     "geändert.\n\nÖffnen Sie es zum Bearbeiten (Bearbeiten > "
                     "Bearbeitungsmodus, oder speichern Sie eine Kopie) und wählen Sie erneut "
                     "Beträge umrechnen.",
        "protected": "Beträge stehen in einem schreibgeschützten Teil des Dokuments (Bereich, "
                     "Rahmen oder Tabellenzelle), deshalb wurde nichts geändert.\n\nHeben Sie "
                     "den Schutz auf oder markieren Sie nur den umzurechnenden Text und "
                     "wählen Sie erneut Beträge umrechnen.",
        "no_dbus": "Die Kassavero-Erweiterung braucht das Paket python3-dbus, um das Programm "
                   "zu erreichen. Installieren Sie es (apt install python3-dbus) und starten "
                   "Sie LibreOffice neu.",
        "refused": "Kassavero hat die Umrechnung abgelehnt:\n\n%s",
        "failed": "Die Umrechnung wurde angehalten, weil sich das Dokument nicht ändern "
                  "ließ:\n\n%s",
        "writer_none": "Es wurden keine umzurechnenden Beträge gefunden.",
        "no_session": "Kassavero konnte keine Umrechnung beginnen: alle Umrechnungssitzungen "
                      "sind belegt. Beenden Sie die anderen Umrechnungen oder starten Sie "
                      "Kassavero neu.",
        "cancelled": "Die Umrechnung wurde abgebrochen.",
        "wrong_document": "Beträge umrechnen arbeitet in Writer-Dokumenten und Calc-Tabellen.",
        "dialog_title": "Kassavero: Beträge umrechnen",
        "source": "~Von Währung:",
        "target": "~In Währung:",
        "selection_only": "Nur die ~markierten Zellen",
        "convert": "~Umrechnen",
        "cancel": "Abbrechen",
        "same_currency": "Wählen Sie zwei verschiedene Währungen.",
        "kept_none": "Es wurde nichts geändert.",
        "kept_one": "Der %d zuvor umgerechnete Betrag bleibt im Dokument.",
        "kept_other": "Die %d zuvor umgerechneten Beträge bleiben im Dokument.",
        "writer_done_one": "%d von %d gefundenen Betrag wurde umgerechnet.",
        "writer_done_other": "%d von %d gefundenen Beträgen wurden umgerechnet.",
        "in_changes_one": "%d Betrag in einer noch offenen Änderung blieb unverändert: Nehmen "
                          "Sie diese Änderung erst an oder lehnen Sie sie ab und rechnen Sie "
                          "dann erneut um.",
        "in_changes_other": "%d Beträge in noch offenen Änderungen blieben unverändert: "
                            "Nehmen Sie diese Änderungen erst an oder lehnen Sie sie ab und "
                            "rechnen Sie dann erneut um.",
        "in_boxes_one": "%d Betrag in einem Zeichnungstextfeld blieb unverändert: LibreOffice "
                        "zeichnet dort keine Änderungen auf. Rechnen Sie ihn ohne "
                        "Änderungsverfolgung um (Kassavero-Einstellungen, Seite Anwendungen) "
                        "oder von Hand.",
        "in_boxes_other": "%d Beträge in Zeichnungstextfeldern blieben unverändert: "
                          "LibreOffice zeichnet dort keine Änderungen auf. Rechnen Sie sie "
                          "ohne Änderungsverfolgung um (Kassavero-Einstellungen, Seite "
                          "Anwendungen) oder von Hand.",
        "missed_one": "%d Betrag wurde von Kassavero nicht erkannt, „%s“: Prüfen Sie die "
                      "Dezimal- und Tausendertrennzeichen auf der Seite Suchen: Zahlen der "
                      "Kassavero-Einstellungen.",
        "missed_other": "%d Beträge wurden von Kassavero nicht erkannt, zum Beispiel „%s“: "
                        "Prüfen Sie die Dezimal- und Tausendertrennzeichen auf der Seite "
                        "Suchen: Zahlen der Kassavero-Einstellungen.",
        "calc_done": "Umgerechnet: %s, %s.",
        "cells_one": "%d Zelle mit Konstante",
        "cells_other": "%d Zellen mit Konstanten",
        "formulas_one": "%d Formel",
        "formulas_other": "%d Formeln",
        "plain_left_one": "%d Zahl ohne Währungsformat (Artikelnummer, Menge ...) blieb "
                          "unverändert.",
        "plain_left_other": "%d Zahlen ohne Währungsformat (Artikelnummern, Mengen ...) "
                            "blieben unverändert.",
        "calc_protected": "Umzurechnende Zellen stehen in einer geschützten Tabelle, deshalb "
                          "wurde nichts geändert.\n\nHeben Sie den Schutz auf (Extras > "
                          "Tabelle schützen) und wählen Sie erneut Beträge umrechnen.",
        "session_lost": "Die Umrechnungssitzung von Kassavero wurde während der Umrechnung "
                        "von einem anderen Programm geschlossen, deshalb wurde die Umrechnung "
                        "angehalten.",
        "foreign": "Kassavero hat zu einem Text geantwortet, den die Erweiterung nicht "
                   "gesendet hat, deshalb wurde die Umrechnung angehalten und die Antwort "
                   "nicht verwendet:\n\n%s",
        "plain_numbers": "Auch ~Zahlen ohne Währungsformat umrechnen",
        "scope_sheet": "Es sind keine Zellen markiert: die ganze Tabelle „%s“ wird "
                       "umgerechnet.",
        "scope_hint": "Zellen im Format der Ausgangswährung werden umgerechnet und erhalten "
                      "das Format der Zielwährung.",
    },
    "fr": {
        "not_running": "Kassavero n'est pas lancé, rien n'a donc été modifié.\n\nLancez "
                       "Kassavero depuis le menu des applications (ou avec la commande "
                       "\"kassavero\" dans un terminal), puis choisissez de nouveau Convertir "
                       "les montants.",
        "lost": "La connexion avec Kassavero a été perdue : le programme s'est arrêté ou ne "
                "répond plus.",
        "program_ended": "Kassavero a été fermé pendant la conversion.",
        "read_only": "Ce document est ouvert en lecture seule, rien n'a donc été "
                     "modifié.\n\nOuvrez-le en modification (Édition > Mode édition, ou "
                     "enregistrez une copie) et choisissez de nouveau Convertir les montants.",
        "protected": "Des montants se trouvent dans une partie protégée du document (section, "
                     "cadre ou cellule de tableau), rien n'a donc été modifié.\n\nLevez la "
                     "protection, ou sélectionnez seulement le texte à convertir, et "
                     "choisissez de nouveau Convertir les montants.",
        "no_dbus": "L'extension Kassavero a besoin du paquet python3-dbus pour joindre le "
                   "programme. Installez-le (apt install python3-dbus) et redémarrez "
                   "LibreOffice.",
        "refused": "Kassavero a refusé la conversion :\n\n%s",
        "failed": "La conversion s'est arrêtée car le document n'a pas pu être modifié :\n\n%s",
        "writer_none": "Aucun montant à convertir n'a été trouvé.",
        "no_session": "Kassavero n'a pas pu commencer de conversion : toutes ses sessions de "
                      "conversion sont occupées. Terminez ou fermez les autres conversions, "
                      "ou redémarrez Kassavero.",
        "cancelled": "La conversion a été annulée.",
        "wrong_document": "Convertir les montants fonctionne dans les documents Writer et les "
                          "classeurs Calc.",
        "dialog_title": "Kassavero : convertir les montants",
        "source": "~De la devise :",
        "target": "~Vers la devise :",
        "selection_only": "Seulement les cellules ~sélectionnées",
        "convert": "~Convertir",
        "cancel": "Annuler",
        "same_currency": "Choisissez deux devises différentes.",
        "kept_none": "Rien n'a été modifié.",
        "kept_one": "Le %d montant converti auparavant reste dans le document.",
        "kept_other": "Les %d montants convertis auparavant restent dans le document.",
        "writer_done_one": "%d montant converti sur %d trouvé.",
        "writer_done_other": "%d montants convertis sur %d trouvés.",
        "in_changes_one": "%d montant dans une modification suivie en attente a été laissé "
                          "tel quel : acceptez ou refusez d'abord cette modification, puis "
                          "convertissez de nouveau.",
        "in_changes_other": "%d montants dans des modifications suivies en attente ont été "
                            "laissés tels quels : acceptez ou refusez d'abord ces "
                            "modifications, puis convertissez de nouveau.",
        "in_boxes_one": "%d montant dans une zone de texte de dessin a été laissé tel quel : "
                        "LibreOffice n'y enregistre pas les modifications. Convertissez-le "
                        "sans suivi des modifications (paramètres de Kassavero, page "
                        "Applications) ou à la main.",
        "in_boxes_other": "%d montants dans des zones de texte de dessin ont été laissés tels "
                          "quels : LibreOffice n'y enregistre pas les modifications. "
                          "Convertissez-les sans suivi des modifications (paramètres de "
                          "Kassavero, page Applications) ou à la main.",
        "missed_one": "%d montant n'a pas été reconnu par Kassavero, « %s » : vérifiez les "
                      "séparateurs décimaux et de milliers dans la recherche des nombres des "
                      "paramètres de Kassavero.",
        "missed_other": "%d montants n'ont pas été reconnus par Kassavero, par exemple « %s » "
                        ": vérifiez les séparateurs décimaux et de milliers dans la recherche "
                        "des nombres des paramètres de Kassavero.",
        "calc_done": "Convertis : %s, %s.",
        "cells_one": "%d cellule constante",
        "cells_other": "%d cellules constantes",
        "formulas_one": "%d formule",
        "formulas_other": "%d formules",
        "plain_left_one": "%d nombre sans format monétaire (numéro d'article, quantité ...) a "
                          "été laissé tel quel.",
        "plain_left_other": "%d nombres sans format monétaire (numéros d'article, quantités "
                            "...) ont été laissés tels quels.",
        "calc_protected": "Des cellules à convertir se trouvent sur une feuille protégée, "
                          "rien n'a donc été modifié.\n\nLevez la protection (Outils > "
                          "Protéger la feuille) et choisissez de nouveau Convertir les "
                          "montants.",
        "session_lost": "La session de conversion de Kassavero a été fermée par un autre "
                        "programme pendant la conversion, qui s'est donc arrêtée.",
        "foreign": "Kassavero a répondu au sujet d'un texte que l'extension n'avait pas "
                   "envoyé ; la conversion s'est arrêtée et la réponse n'a pas été utilisée "
                   ":\n\n%s",
        "plain_numbers": "Convertir aussi les ~nombres sans format monétaire",
        "scope_sheet": "Aucune cellule n'est sélectionnée : toute la feuille « %s » est "
                       "convertie.",
        "scope_hint": "Les cellules au format de la devise source sont converties et prennent "
                      "le format de la devise cible.",
    },
    "nl": {
        "not_running": "Kassavero is niet gestart, daarom is er niets gewijzigd.\n\nStart "
                       "Kassavero vanuit het toepassingenmenu (of met de opdracht "
                       "\"kassavero\" in een terminal) en kies daarna opnieuw Bedragen "
                       "omrekenen.",
        "lost": "De verbinding met Kassavero is verbroken: het programma is beëindigd of "
                "antwoordt niet meer.",
        "program_ended": "Kassavero is tijdens het omrekenen afgesloten.",
        "read_only": "Dit document is alleen-lezen geopend, daarom is er niets "
                     "gewijzigd.\n\nOpen het om te bewerken (Bewerken > Bewerkingsmodus, of "
                     "sla een kopie op) en kies opnieuw Bedragen omrekenen.",
        "protected": "Er staan bedragen in een beveiligd deel van het document (sectie, frame "
                     "of tabelcel), daarom is er niets gewijzigd.\n\nHef de beveiliging op of "
                     "selecteer alleen de om te rekenen tekst en kies opnieuw Bedragen "
                     "omrekenen.",
        "no_dbus": "De Kassavero-extensie heeft het pakket python3-dbus nodig om het "
                   "programma te bereiken. Installeer het (apt install python3-dbus) en start "
                   "LibreOffice opnieuw.",
        "refused": "Kassavero heeft de omrekening geweigerd:\n\n%s",
        "failed": "De omrekening is gestopt omdat het document niet gewijzigd kon "
                  "worden:\n\n%s",
        "writer_none": "Er zijn geen om te rekenen bedragen gevonden.",
        "no_session": "Kassavero kon geen omrekening beginnen: alle omrekensessies zijn "
                      "bezet. Beëindig of sluit de andere omrekeningen, of start Kassavero "
                      "opnieuw.",
        "cancelled": "De omrekening is afgebroken.",
        "wrong_document": "Bedragen omrekenen werkt in Writer-documenten en Calc-werkbladen.",
        "dialog_title": "Kassavero: bedragen omrekenen",
        "source": "~Van valuta:",
        "target": "~Naar valuta:",
        "selection_only": "Alleen de ~geselecteerde cellen",
        "convert": "~Omrekenen",
        "cancel": "Annuleren",
        "same_currency": "Kies twee verschillende valuta's.",
        "kept_none": "Er is niets gewijzigd.",
        "kept_one": "Het %d eerder omgerekende bedrag blijft in het document.",
        "kept_other": "De %d eerder omgerekende bedragen blijven in het document.",
        "writer_done_one": "%d van het %d gevonden bedrag is omgerekend.",
        "writer_done_other": "%d van de %d gevonden bedragen zijn omgerekend.",
        "in_changes_one": "%d bedrag in een openstaande bijgehouden wijziging is ongewijzigd "
                          "gelaten: accepteer of weiger die wijziging eerst en reken daarna "
                          "opnieuw om.",
        "in_changes_other": "%d bedragen in openstaande bijgehouden wijzigingen zijn "
                            "ongewijzigd gelaten: accepteer of weiger die wijzigingen eerst "
                            "en reken daarna opnieuw om.",
        "in_boxes_one": "%d bedrag in een tekstvak van een tekening is ongewijzigd gelaten: "
                        "LibreOffice houdt daar geen wijzigingen bij. Reken het om zonder "
                        "bijhouden van wijzigingen (instellingen van Kassavero, pagina "
                        "Toepassingen) of met de hand.",
        "in_boxes_other": "%d bedragen in tekstvakken van tekeningen zijn ongewijzigd "
                          "gelaten: LibreOffice houdt daar geen wijzigingen bij. Reken ze om "
                          "zonder bijhouden van wijzigingen (instellingen van Kassavero, "
                          "pagina Toepassingen) of met de hand.",
        "missed_one": "%d bedrag is niet door Kassavero herkend, “%s”: controleer de decimale "
                      "en duizendtalscheidingstekens bij het zoeken naar getallen in de "
                      "instellingen van Kassavero.",
        "missed_other": "%d bedragen zijn niet door Kassavero herkend, bijvoorbeeld “%s”: "
                        "controleer de decimale en duizendtalscheidingstekens bij het zoeken "
                        "naar getallen in de instellingen van Kassavero.",
        "calc_done": "Omgerekend: %s, %s.",
        "cells_one": "%d cel met een constante",
        "cells_other": "%d cellen met constanten",
        "formulas_one": "%d formule",
        "formulas_other": "%d formules",
        "plain_left_one": "%d getal zonder valutanotatie (artikelnummer, aantal ...) is "
                          "ongewijzigd gelaten.",
        "plain_left_other": "%d getallen zonder valutanotatie (artikelnummers, aantallen ...) "
                            "zijn ongewijzigd gelaten.",
        "calc_protected": "Om te rekenen cellen staan op een beveiligd werkblad, daarom is er "
                          "niets gewijzigd.\n\nHef de beveiliging op (Extra > Blad "
                          "beveiligen) en kies opnieuw Bedragen omrekenen.",
        "session_lost": "De omrekensessie van Kassavero is tijdens het omrekenen door een "
                        "ander programma gesloten, daarom is de omrekening gestopt.",
        "foreign": "Kassavero antwoordde over een tekst die de extensie niet had gestuurd, "
                   "daarom is de omrekening gestopt en is het antwoord niet gebruikt:\n\n%s",
        "plain_numbers": "Ook ~getallen zonder valutanotatie omrekenen",
        "scope_sheet": "Er zijn geen cellen geselecteerd: het hele werkblad “%s” wordt "
                       "omgerekend.",
        "scope_hint": "Cellen in de notatie van de bronvaluta worden omgerekend en krijgen de "
                      "notatie van de doelvaluta.",
    },
    "es": {
        "not_running": "Kassavero no está en ejecución, por lo que no se ha cambiado "
                       "nada.\n\nInicie Kassavero desde el menú de aplicaciones (o con la "
                       "orden \"kassavero\" en un terminal) y elija de nuevo Convertir "
                       "importes.",
        "lost": "Se ha perdido la conexión con Kassavero: el programa se cerró o ya no "
                "responde.",
        "program_ended": "Kassavero se cerró durante la conversión.",
        "read_only": "Este documento está abierto en modo de solo lectura, así que no se ha "
                     "cambiado nada.\n\nÁbralo para editarlo (Editar > Modo de edición, o "
                     "guarde una copia) y elija de nuevo Convertir importes.",
        "protected": "Hay importes en una parte protegida del documento (sección, marco o "
                     "celda de tabla), así que no se ha cambiado nada.\n\nQuite la "
                     "protección, o seleccione solo el texto que quiere convertir, y elija de "
                     "nuevo Convertir importes.",
        "no_dbus": "La extensión de Kassavero necesita el paquete python3-dbus para "
                   "comunicarse con el programa. Instálelo (apt install python3-dbus) y "
                   "reinicie LibreOffice.",
        "refused": "Kassavero ha rechazado la conversión:\n\n%s",
        "failed": "La conversión se ha detenido porque no se pudo modificar el "
                  "documento:\n\n%s",
        "writer_none": "No se han encontrado importes que convertir.",
        "no_session": "Kassavero no ha podido iniciar una conversión: todas sus sesiones de "
                      "conversión están ocupadas. Termine o cierre las otras conversiones, o "
                      "reinicie Kassavero.",
        "cancelled": "Se ha cancelado la conversión.",
        "wrong_document": "Convertir importes funciona en documentos de Writer y hojas de "
                          "cálculo de Calc.",
        "dialog_title": "Kassavero: convertir importes",
        "source": "~De la moneda:",
        "target": "~A la moneda:",
        "selection_only": "Solo las celdas ~seleccionadas",
        "convert": "~Convertir",
        "cancel": "Cancelar",
        "same_currency": "Elija dos monedas distintas.",
        "kept_none": "No se ha cambiado nada.",
        "kept_one": "El %d importe convertido antes se queda en el documento.",
        "kept_other": "Los %d importes convertidos antes se quedan en el documento.",
        "writer_done_one": "Se ha convertido %d de %d importe encontrado.",
        "writer_done_other": "Se han convertido %d de los %d importes encontrados.",
        "in_changes_one": "%d importe dentro de un cambio registrado pendiente se ha dejado "
                          "como estaba: acepte o rechace primero ese cambio y vuelva a "
                          "convertir.",
        "in_changes_other": "%d importes dentro de cambios registrados pendientes se han "
                            "dejado como estaban: acepte o rechace primero esos cambios y "
                            "vuelva a convertir.",
        "in_boxes_one": "%d importe en un cuadro de texto de dibujo se ha dejado como estaba: "
                        "LibreOffice no registra cambios allí. Conviértalo sin registrar "
                        "cambios (configuración de Kassavero, página Aplicaciones) o a mano.",
        "in_boxes_other": "%d importes en cuadros de texto de dibujo se han dejado como "
                          "estaban: LibreOffice no registra cambios allí. Conviértalos sin "
                          "registrar cambios (configuración de Kassavero, página "
                          "Aplicaciones) o a mano.",
        "missed_one": "Kassavero no ha reconocido %d importe, «%s»: compruebe los separadores "
                      "decimales y de millares en la búsqueda de números de la configuración "
                      "de Kassavero.",
        "missed_other": "Kassavero no ha reconocido %d importes, por ejemplo «%s»: compruebe "
                        "los separadores decimales y de millares en la búsqueda de números de "
                        "la configuración de Kassavero.",
        "calc_done": "Convertido: %s, %s.",
        "cells_one": "%d celda con constante",
        "cells_other": "%d celdas con constantes",
        "formulas_one": "%d fórmula",
        "formulas_other": "%d fórmulas",
        "plain_left_one": "%d número sin formato de moneda (número de artículo, cantidad ...) "
                          "se ha dejado como estaba.",
        "plain_left_other": "%d números sin formato de moneda (números de artículo, "
                            "cantidades ...) se han dejado como estaban.",
        "calc_protected": "Hay celdas que convertir en una hoja protegida, así que no se ha "
                          "cambiado nada.\n\nQuite la protección (Herramientas > Proteger "
                          "hoja) y elija de nuevo Convertir importes.",
        "session_lost": "Otro programa cerró la sesión de conversión de Kassavero durante la "
                        "conversión, así que la conversión se ha detenido.",
        "foreign": "Kassavero respondió sobre un texto que la extensión no había enviado, así "
                   "que la conversión se ha detenido y la respuesta no se ha usado:\n\n%s",
        "plain_numbers": "Convertir también los ~números sin formato de moneda",
        "scope_sheet": "No hay celdas seleccionadas: se convierte toda la hoja «%s».",
        "scope_hint": "Las celdas con el formato de la moneda de origen se convierten y "
                      "reciben el formato de la moneda de destino.",
    },
    "it": {
        "not_running": "Kassavero non è in esecuzione, quindi non è stato modificato "
                       "nulla.\n\nAvviare Kassavero dal menu delle applicazioni (o con il "
                       "comando \"kassavero\" in un terminale), poi scegliere di nuovo "
                       "Converti importi.",
        "lost": "La connessione con Kassavero si è interrotta: il programma è stato chiuso o "
                "non risponde più.",
        "program_ended": "Kassavero è stato chiuso durante la conversione.",
        "read_only": "Questo documento è aperto in sola lettura, quindi non è stato "
                     "modificato nulla.\n\nApritelo in modifica (Modifica > Modo modifica, o "
                     "salvatene una copia) e scegliete di nuovo Converti importi.",
        "protected": "Ci sono importi in una parte protetta del documento (sezione, cornice o "
                     "cella di tabella), quindi non è stato modificato nulla.\n\nTogliete la "
                     "protezione, o selezionate solo il testo da convertire, e scegliete di "
                     "nuovo Converti importi.",
        "no_dbus": "L'estensione Kassavero ha bisogno del pacchetto python3-dbus per "
                   "raggiungere il programma. Installarlo (apt install python3-dbus) e "
                   "riavviare LibreOffice.",
        "refused": "Kassavero ha rifiutato la conversione:\n\n%s",
        "failed": "La conversione si è fermata perché non è stato possibile modificare il "
                  "documento:\n\n%s",
        "writer_none": "Non è stato trovato alcun importo da convertire.",
        "no_session": "Kassavero non ha potuto iniziare una conversione: tutte le sessioni di "
                      "conversione sono occupate. Terminare o chiudere le altre conversioni, "
                      "oppure riavviare Kassavero.",
        "cancelled": "La conversione è stata annullata.",
        "wrong_document": "Converti importi funziona nei documenti Writer e nei fogli di "
                          "calcolo Calc.",
        "dialog_title": "Kassavero: converti importi",
        "source": "~Dalla valuta:",
        "target": "~Alla valuta:",
        "selection_only": "Solo le celle ~selezionate",
        "convert": "~Converti",
        "cancel": "Annulla",
        "same_currency": "Scegliere due valute diverse.",
        "kept_none": "Non è stato modificato nulla.",
        "kept_one": "L'%d importo convertito prima resta nel documento.",
        "kept_other": "I %d importi convertiti prima restano nel documento.",
        "writer_done_one": "È stato convertito %d di %d importo trovato.",
        "writer_done_other": "Sono stati convertiti %d dei %d importi trovati.",
        "in_changes_one": "%d importo in una modifica registrata in sospeso è stato lasciato "
                          "com'era: accettare o rifiutare prima quella modifica, poi "
                          "convertire di nuovo.",
        "in_changes_other": "%d importi in modifiche registrate in sospeso sono stati "
                            "lasciati com'erano: accettare o rifiutare prima quelle "
                            "modifiche, poi convertire di nuovo.",
        "in_boxes_one": "%d importo in una casella di testo di disegno è stato lasciato "
                        "com'era: LibreOffice non vi registra le modifiche. Convertirlo senza "
                        "registrare le modifiche (impostazioni di Kassavero, pagina "
                        "Applicazioni) o a mano.",
        "in_boxes_other": "%d importi in caselle di testo di disegno sono stati lasciati "
                          "com'erano: LibreOffice non vi registra le modifiche. Convertirli "
                          "senza registrare le modifiche (impostazioni di Kassavero, pagina "
                          "Applicazioni) o a mano.",
        "missed_one": "%d importo non è stato riconosciuto da Kassavero, «%s»: controllare i "
                      "separatori decimali e delle migliaia nella ricerca dei numeri nelle "
                      "impostazioni di Kassavero.",
        "missed_other": "%d importi non sono stati riconosciuti da Kassavero, per esempio "
                        "«%s»: controllare i separatori decimali e delle migliaia nella "
                        "ricerca dei numeri nelle impostazioni di Kassavero.",
        "calc_done": "Convertiti: %s, %s.",
        "cells_one": "%d cella con costante",
        "cells_other": "%d celle con costanti",
        "formulas_one": "%d formula",
        "formulas_other": "%d formule",
        "plain_left_one": "%d numero senza formato valuta (numero di articolo, quantità ...) "
                          "è stato lasciato com'era.",
        "plain_left_other": "%d numeri senza formato valuta (numeri di articolo, quantità "
                            "...) sono stati lasciati com'erano.",
        "calc_protected": "Ci sono celle da convertire in un foglio protetto, quindi non è "
                          "stato modificato nulla.\n\nTogliete la protezione (Strumenti > "
                          "Proteggi foglio) e scegliete di nuovo Converti importi.",
        "session_lost": "La sessione di conversione di Kassavero è stata chiusa da un altro "
                        "programma durante la conversione, che quindi si è fermata.",
        "foreign": "Kassavero ha risposto su un testo che l'estensione non aveva inviato, "
                   "quindi la conversione si è fermata e la risposta non è stata usata:\n\n%s",
        "plain_numbers": "Converti anche i ~numeri senza formato valuta",
        "scope_sheet": "Nessuna cella selezionata: viene convertito tutto il foglio «%s».",
        "scope_hint": "Le celle nel formato della valuta di origine vengono convertite e "
                      "ricevono il formato della valuta di destinazione.",
    },
}


def counted(texts, key, number):
    """The text for a number of things: French counts 0 with 1, the others only 1."""
    one = number == 1 or (number == 0 and texts is TEXTS["fr"])
    return texts[key + ("_one" if one else "_other")] % number
