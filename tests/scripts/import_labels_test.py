"""scripts/import-labels' rules over words, without the sources' files: how
a source's word is read, which key names are kept, and the letters given."""
import os
import types
import unittest

PATH = os.path.join(os.path.dirname(__file__), "..", "..", "scripts", "import-labels")
labels = types.ModuleType("import_labels")  # the script has no .py to import it by
with open(PATH, encoding="utf-8") as script:
    exec(compile(script.read(), PATH, "exec"), labels.__dict__)


def chosen(**words):
    """Ours from keyword arguments: Try_Again for "_Try Again"."""
    return {("" if name in ("OK", "Cancel") else "_") + name.replace("_", " "): (word, "test")
            for name, word in words.items()}


class Words(unittest.TestCase):
    def test_a_source_word_as_ours(self):
        for word, msgid, ours in [("&Ja", "_Yes", "_Ja"), ("Pok&ušaj", "_Retry", "Pok_ušaj"),
                                  ("OK(_O)", "OK", "OK"), ("ठीक (_O)", "OK", "ठीक"),
                                  ("A&&B", "_Yes", "A&B"), ("_Annuler", "Cancel", "Annuler")]:
            self.assertEqual(labels.marked(word, msgid), ours)

    def test_key_names_are_the_language_s_or_the_key_caps(self):
        for gtk_return, gtk_escape, names in [
                ("Eingabe", "Esc", ("Eingabe", "Esc")), ("Return", "Escape", ("Enter", "Esc")),
                ("Rivinvaihto", "Escape", ("Enter", "Esc")),
                ("Επιστροφή (Return)", "Esc (Escape)", ("Επιστροφή", "Esc"))]:
            gtk = {"keyboard label\x04Return": gtk_return, "keyboard label\x04Escape": gtk_escape}
            found = labels.key_names(gtk)
            self.assertEqual((found["Return"][0], found["Esc"][0]), names)


class Letters(unittest.TestCase):
    def letters(self, words):
        labels.give_letters(words)
        return {msgid: word for msgid, (word, _) in words.items()}

    def test_unmarked_labels_take_their_first_free_letter(self):
        got = self.letters(chosen(Abort="Przerwij", Retry="_Ponów", Ignore="Pom_iń"))
        self.assertEqual(got["_Abort"], "P_rzerwij")

    def test_the_same_words_take_the_letter_that_fits_every_box(self):
        got = self.letters(chosen(Cancel="Otkaži", Abort="_Prekini", Retry="Pokušaj _ponovo",
                                  Ignore="_Zanemari", Try_Again="Pok_ušaj ponovo",
                                  Continue="_Nastavi"))
        self.assertEqual((got["_Retry"], got["_Try Again"]), ("Pok_ušaj ponovo",) * 2)
        self.assertEqual(got["_Abort"], "_Prekini")

if __name__ == "__main__":
    unittest.main()
